// The record of one answer handed to the project library, and the log lines
// and subject mark of its outcome.

#include "message/CWEAnswerMessage.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "com/SafeArray.h"
#include "com/Text.h"

#include "resources/KestrinResources.h"
#include "win/CodePage.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr DWORD kPreparationFailed = 0xE00022C7;
constexpr DWORD kInsertFailed = 0xE00022C8;
constexpr DWORD kInsertSucceeded = 0x200022C9;
constexpr DWORD kFieldWarning = 0xE00022CA;

bool InRecord(const CWEFormField& field)
{
    return !field.m_bUsed && field.IsDecoded();
}

// Names and values of the fields not used for the project id and decoded,
// name before value; null when memory runs out.
SAFEARRAY* MakeRecord(const CWEFormFieldList& fields, ULONG pairs)
{
    SAFEARRAYBOUND bound{2 * pairs, 0};
    SAFEARRAY* record = SafeArrayCreate(VT_BSTR, 1, &bound);
    if (!record)
        return nullptr;
    LONG index = 0;
    for (const CWEFormField& field : fields) {
        if (!InRecord(field))
            continue;
        for (const std::string* text : {&field.m_strName, &field.m_strValue}) {
            CComBSTR bstr(*text);
            if (FAILED(SafeArrayPutElement(record, &index, bstr.m_str))) {
                SafeArrayDestroy(record);
                return nullptr;
            }
            ++index;
        }
    }
    return record;
}

std::string ErrorString(IHubberly* hubberly, LONG code)
{
    CComBSTR text;
    if (FAILED(hubberly->GetErrorString(code, &text)))
        return {};
    return text.ToString();
}

const std::string* FieldValue(const CWEFormFieldList& fields, const std::string& name)
{
    for (const CWEFormField& field : fields)
        if (field.m_strName == name)
            return &field.m_strValue;
    return nullptr;
}

}  // namespace

HRESULT CWEAnswerMessage::InsertAnswer(CWEFormFieldList& fields, LONG projectId, const CWEProjectProps& props)
{
    char id[16];
    std::snprintf(id, sizeof id, "%i", static_cast<int>(projectId));
    // Values that could not be read as text are left out, never stored
    // damaged; the answer is marked as failed.
    const bool undecoded = LogUndecodedFields(fields, id);
    const auto pairs = static_cast<ULONG>(std::count_if(fields.begin(), fields.end(), InRecord));
    if (pairs == 0) {
        MarkSubject(props, false);
        ApplyMessageAction();
        return S_OK;
    }
    SAFEARRAY* record = MakeRecord(fields, pairs);
    if (!record) {
        m_log.Write(kPreparationFailed, {m_strSender, id});
        MarkSubject(props, false);
        return E_FAIL;
    }
    CComVariant data;
    data.vt = VT_ARRAY | VT_BSTR;
    data.parray = record;
    CComVariant errors;
    LONG result = 0;
    const HRESULT hr = m_spHubberly->InsertData(projectId, data, &errors, &result);

    if (FAILED(hr) || result > 1) {
        std::string detail = ": Unknown error";
        if (SUCCEEDED(hr)) {
            const std::string text = ErrorString(m_spHubberly, result);
            if (!text.empty())
                detail = ": " + text;
        }
        m_log.Write(kInsertFailed, {m_strSender, id, detail});
        MarkSubject(props, false);
    } else {
        if (result == 1)
            LogFieldWarnings(errors, fields, id);
        m_log.Write(kInsertSucceeded, {m_strSender, id});
        MarkSubject(props, result == 0 && !undecoded);
    }
    ApplyMessageAction();
    return S_OK;
}

bool CWEAnswerMessage::LogUndecodedFields(const CWEFormFieldList& fields, const std::string& id)
{
    bool any = false;
    for (const CWEFormField& field : fields) {
        if (field.m_bUsed || field.IsDecoded())
            continue;
        const std::string error = field.m_decoding == FormTextDecoding::NotText
                                      ? KestrinString(IDS_VALUE_NOT_TEXT) + " (" + m_strAnswerCharset + ")"
                                      : KestrinString(IDS_VALUE_NOT_ANSI) + " (" + std::to_string(GetACP()) + ")";
        m_log.Write(kFieldWarning, {m_strSender, id, field.m_strName, field.m_strValue, error});
        any = true;
    }
    return any;
}

void CWEAnswerMessage::LogFieldWarnings(const VARIANT& errors, const CWEFormFieldList& fields, const std::string& id)
{
    if (errors.vt != (VT_ARRAY | VT_VARIANT) || !errors.parray)
        return;
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(errors.parray, 1, &lower);
    SafeArrayGetUBound(errors.parray, 1, &upper);
    for (LONG i = lower; i + 1 <= upper; i += 2) {
        CComVariant name, code;
        LONG next = i + 1;
        if (FAILED(SafeArrayGetElement(errors.parray, &i, &name)) ||
            FAILED(SafeArrayGetElement(errors.parray, &next, &code)) || name.vt != VT_BSTR || code.vt != VT_I4)
            continue;
        const std::string field = pollenta::com::AnsiFromBstr(name.bstrVal);
        const std::string* value = FieldValue(fields, field);
        m_log.Write(kFieldWarning,
                    {m_strSender, id, field, value ? *value : std::string(), ErrorString(m_spHubberly, code.lVal)});
    }
}
