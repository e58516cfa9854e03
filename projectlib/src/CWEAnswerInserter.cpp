#include "CWEAnswerInserter.h"

#include "AnswerFieldValue.h"
#include "CWEProjectStore.h"
#include "CWERegKey.h"

#include "ado/AdoCreate.h"
#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/SafeArray.h"
#include "com/Text.h"

#include <memory>
#include <new>

using pollenta::com::AnsiFromBstr;

namespace {

// Buffer sizes with the NUL; longer texts read as missing.
constexpr DWORD kConnectionStringBytes = 1999;
constexpr DWORD kRecordSourceBytes = 299;

// The record statuses of a failed save, in the order they are tested, and
// the result each gives.
constexpr struct {
    LONG status;
    LONG result;
} kSaveFailures[] = {
    {adRecIntegrityViolation, 12}, {adRecConcurrencyViolation, 13}, {adRecInvalid, 14},
    {adRecMaxChangesExceeded, 15}, {adRecMultipleChanges, 16},      {adRecObjectOpen, 17},
    {adRecOutOfMemory, 18},        {adRecPermissionDenied, 19},     {adRecSchemaViolation, 20},
};

CComVariant Missing() { return CComVariant(static_cast<LONG>(DISP_E_PARAMNOTFOUND), VT_ERROR); }

CComVariant Text(const std::string& ansi)
{
    CComVariant text(ansi);
    if (!text.bstrVal)
        throw std::bad_alloc();
    return text;
}

// `text` as a VARIANT argument without a copy; the caller keeps owning it.
VARIANT Borrowed(BSTR text)
{
    VARIANT borrowed;
    VariantInit(&borrowed);
    borrowed.vt = VT_BSTR;
    borrowed.bstrVal = text;
    return borrowed;
}

bool IsEmpty(BSTR text) { return SysStringLen(text) == 0; }

// Lets the connection go and closes an opened recordset however the call
// ends, an exception included. Errors of the release are of no interest:
// the outcome is known by then.
struct CloseRecordset {
    void operator()(_Recordset* recordset) const
    {
        recordset->putref_ActiveConnection(nullptr);
        recordset->Close();
    }
};
using OpenedRecordset = std::unique_ptr<_Recordset, CloseRecordset>;

}  // namespace

LONG CWEAnswerInserter::ReadProject(LONG projectID, std::string& connectionString, std::string& recordSource) const
{
    CWERegKey key;
    if (key.Open(HKEY_CURRENT_USER, CWEProjectStore::ProjectKeyPath(projectID)) != ERROR_SUCCESS)
        return kNoSuchProject;
    if (key.QueryNumber("Completed").value_or(0) == 0)
        return kProjectNotCompleted;
    std::optional<std::string> connection = key.QueryText("ConnectionString", kConnectionStringBytes);
    std::optional<std::string> source = key.QueryText("RecordSource", kRecordSourceBytes);
    if (!connection || !source)
        return kProjectCorrupted;
    connectionString = *connection;
    recordSource = *source;
    return kStored;
}

HRESULT CWEAnswerInserter::InsertData(LONG projectID, const VARIANT& data, VARIANT* errors, LONG* result)
{
    if (projectID == 0 || !errors || !result || data.vt != (VT_ARRAY | VT_BSTR) || !data.parray ||
        SafeArrayGetDim(data.parray) != 1)
        return E_INVALIDARG;
    *result = kStored;
    m_fieldErrors.clear();

    std::string connectionString, recordSource;
    if (LONG code = ReadProject(projectID, connectionString, recordSource); code != kStored) {
        *result = code;
        return S_OK;
    }
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(data.parray, 1, &lower);
    SafeArrayGetUBound(data.parray, 1, &upper);
    const LONG count = upper - lower + 1;
    if (count < 2 || count % 2 != 0)
        return E_INVALIDARG;

    CComPtr<_Recordset> recordset;
    if (FAILED(AdoCreateInstance(CLSID_Recordset, IID__Recordset, reinterpret_cast<void**>(&recordset))) ||
        !recordset) {
        *result = kNoRecordset;
        return S_OK;
    }
    if (FAILED(recordset->Open(Text(recordSource), Text(connectionString), adOpenKeyset, adLockOptimistic, -1))) {
        *result = kCannotOpen;
        return S_OK;
    }
    const OpenedRecordset opened(recordset.p);
    if (FAILED(recordset->AddNew(Missing(), Missing()))) {
        *result = kCannotAddNew;
        return S_OK;
    }
    CComPtr<Fields> fields;
    if (FAILED(recordset->get_Fields(&fields)) || !fields) {
        *result = kCannotReadFields;
        return S_OK;
    }
    HRESULT hr = SetFields(fields, data.parray, *result);
    if (FAILED(hr))
        return hr;
    if (FAILED(recordset->Update(Missing(), Missing())))
        *result = SaveFailure(recordset);
    return ErrorList(errors);
}

HRESULT CWEAnswerInserter::SetFields(Fields* fields, SAFEARRAY* data, LONG& result)
{
    BSTR* items = nullptr;
    if (FAILED(SafeArrayAccessData(data, reinterpret_cast<void**>(&items))))
        return E_INVALIDARG;
    const std::vector<BSTR> texts(items, items + data->rgsabound[0].cElements);
    SafeArrayUnaccessData(data);
    for (size_t i = 0; i + 1 < texts.size(); i += 2) {
        const BSTR name = texts[i];
        const BSTR value = texts[i + 1];
        if (IsEmpty(name) || IsEmpty(value))
            continue;  // the field keeps its default
        CComPtr<Field> field;
        if (FAILED(fields->get_Item(Borrowed(name), &field)) || !field) {
            result = kStoredWithFieldErrors;
            m_fieldErrors.push_back({AnsiFromBstr(name), idFieldErrors::kFieldNotFound});
            continue;
        }
        DataTypeEnum type = adBSTR;
        field->get_Type(&type);
        CComVariant converted;
        if (!AnswerFieldValue(type, value, converted) || FAILED(field->put_Value(converted))) {
            result = kStoredWithFieldErrors;
            m_fieldErrors.push_back({AnsiFromBstr(name), idFieldErrors::kSetValueFailed});
        }
    }
    return S_OK;
}

LONG CWEAnswerInserter::SaveFailure(_Recordset* recordset)
{
    LONG status = 0;
    if (FAILED(recordset->get_Status(&status)))
        return kCannotSave;
    for (const auto& failure : kSaveFailures)
        if (status & failure.status)
            return failure.result;
    return kCannotSave;
}

HRESULT CWEAnswerInserter::ErrorList(VARIANT* errors) const
{
    SAFEARRAY* list = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(m_fieldErrors.size() * 2));
    if (!list)
        return E_OUTOFMEMORY;
    LONG index = 0;
    for (const idFieldErrors& error : m_fieldErrors) {
        // No throwing here: the list would be lost.
        CComVariant name(error.fieldName);
        CComVariant code(error.errorCode);
        LONG nameIndex = index++, codeIndex = index++;
        if (!name.bstrVal || FAILED(SafeArrayPutElement(list, &nameIndex, &name)) ||
            FAILED(SafeArrayPutElement(list, &codeIndex, &code))) {
            SafeArrayDestroy(list);
            return E_OUTOFMEMORY;
        }
    }
    VariantClear(errors);
    errors->vt = VT_ARRAY | VT_VARIANT;
    errors->parray = list;
    return S_OK;
}
