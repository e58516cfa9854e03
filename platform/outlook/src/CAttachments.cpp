#include "CAttachments.h"

#include "CAttachment.h"
#include "TableCollection.h"
#include "DispatchAccessors.h"

#include "com/ComVariant.h"
#include "com/Text.h"
#include "mapi/IAttachment.h"
#include "mapi/MapiUtil.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace pollenta::outlook {

namespace {

enum Column { kNumber, kLongName, kShortName, kColumnCount };

std::string NameAt(const SRow& row)
{
    for (Column column : {kLongName, kShortName})
        if (PROP_TYPE(row.lpProps[column].ulPropTag) == PT_STRING8)
            return row.lpProps[column].Value.lpszA;
    return "";
}

HRESULT ReadFile(const std::string& path, std::string& data)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.bad() ? STG_E_READFAULT : S_OK;
}

HRESULT WriteAttachment(IAttachment* attach, const std::string& name, std::string& data)
{
    SPropValue props[4] = {};
    props[0].ulPropTag = PR_ATTACH_METHOD;
    props[0].Value.l = ATTACH_BY_VALUE;
    props[1].ulPropTag = PR_ATTACH_LONG_FILENAME_A;
    props[1].Value.lpszA = const_cast<char*>(name.c_str());
    props[2].ulPropTag = PR_ATTACH_FILENAME_A;
    props[2].Value.lpszA = const_cast<char*>(name.c_str());
    props[3].ulPropTag = PR_ATTACH_DATA_BIN;
    props[3].Value.bin.cb = static_cast<ULONG>(data.size());
    props[3].Value.bin.lpb = reinterpret_cast<LPBYTE>(data.data());
    if (HRESULT hr = attach->SetProps(4, props, nullptr); FAILED(hr))
        return hr;
    return attach->SaveChanges(KEEP_OPEN_READWRITE);
}

}  // namespace

CAttachments::CAttachments(IMessage* message) : m_message(message) {}

std::span<const pollenta::com::DispatchMember<CAttachments>> CAttachments::DispatchMembers()
{
    using T = CAttachments;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"Count", 0x50, &GetLong<T, &T::get_Count>},
        {"Item", 0x51, &GetItem<T, Attachment, &T::Item>},
    };
    return members;
}

HRESULT CAttachments::ReadRows(LPSRowSet* rows)
{
    CComPtr<IMAPITable> table;
    if (HRESULT hr = m_message->GetAttachmentTable(0, &table); FAILED(hr))
        return hr;
    SizedSPropTagArray(kColumnCount, columns) = {kColumnCount,
                                                 {PR_ATTACH_NUM, PR_ATTACH_LONG_FILENAME_A, PR_ATTACH_FILENAME_A}};
    return HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, rows);
}

STDMETHODIMP CAttachments::get_Count(LONG* count)
{
    return CountTableRows([this](LPSRowSet* rows) { return ReadRows(rows); }, count);
}

STDMETHODIMP CAttachments::Item(VARIANT index, Attachment** attachment)
{
    if (!attachment)
        return E_POINTER;
    *attachment = nullptr;
    return ItemOfTableRows([this](LPSRowSet* rows) { return ReadRows(rows); }, index, NameAt, [&](const SRow& row) {
        return CAttachment::CreateInstance(IID_Attachment, reinterpret_cast<void**>(attachment), m_message.p,
                                           static_cast<ULONG>(row.lpProps[kNumber].Value.l), NameAt(row));
    });
}

STDMETHODIMP CAttachments::Add(VARIANT source, VARIANT, VARIANT, VARIANT displayName, Attachment** attachment)
{
    if (attachment)
        *attachment = nullptr;
    if (source.vt != VT_BSTR)
        return E_INVALIDARG;
    const std::string path = pollenta::com::AnsiFromBstr(source.bstrVal);
    std::string data;
    if (HRESULT hr = ReadFile(path, data); FAILED(hr))
        return hr;
    const std::string name = displayName.vt == VT_BSTR ? pollenta::com::AnsiFromBstr(displayName.bstrVal)
                                                       : std::filesystem::path(path).filename().string();
    ULONG number = 0;
    CComPtr<IAttachment> attach;
    if (HRESULT hr = m_message->CreateAttach(nullptr, 0, &number, &attach); FAILED(hr))
        return hr;
    if (HRESULT hr = WriteAttachment(attach, name, data); FAILED(hr)) {
        m_message->DeleteAttach(number, 0, nullptr, 0);
        return hr;
    }
    if (!attachment)
        return S_OK;
    return CAttachment::CreateInstance(IID_Attachment, reinterpret_cast<void**>(attachment), m_message.p, number, name);
}

}  // namespace pollenta::outlook
