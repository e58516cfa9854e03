#include "RecipientWalk.h"

#include "MapiRows.h"

#include "com/ComPtr.h"
#include "mapi/MapiUtil.h"

#include <memory>

namespace {

enum Column { ColEntryId, ColAddrType, ColEmail, ColDisplayName, ColRecipientType, ColumnCount };

bool IsError(const SPropValue& value)
{
    return PROP_TYPE(value.ulPropTag) == PT_ERROR;
}

std::string Key(const SPropValue& entryId)
{
    return std::string(reinterpret_cast<const char*>(entryId.Value.bin.lpb), entryId.Value.bin.cb);
}

}  // namespace

HRESULT CWERecipientWalk::Walk(IMAPITable* table, IDistList* parentList, bool toOnly, int* failedCall)
{
    SizedSPropTagArray(ColumnCount, columns) = {
        ColumnCount, {PR_ENTRYID, PR_ADDRTYPE_A, PR_EMAIL_ADDRESS_A, PR_DISPLAY_NAME_A, PR_RECIPIENT_TYPE}};
    HRESULT hr = table->SetColumns(reinterpret_cast<LPSPropTagArray>(&columns), 0);
    if (FAILED(hr)) {
        if (failedCall)
            *failedCall = 11;
        return hr;
    }
    ULONG count = 0;
    if (FAILED(hr = table->GetRowCount(0, &count)))
        return hr;
    LPSRowSet raw = nullptr;
    if (count > 0 && FAILED(hr = table->QueryRows(static_cast<LONG>(count), 0, &raw))) {
        if (failedCall)
            *failedCall = 12;
        return hr;
    }
    RowsPtr rows(raw);
    for (ULONG i = 0; rows && i < rows->cRows; ++i) {
        if (m_callback.IsCancelled())
            break;
        m_callback.Pump();
        Row(rows->aRow[i], parentList, toOnly);
    }
    return S_OK;
}

void CWERecipientWalk::Row(const SRow& row, IDistList* parentList, bool toOnly)
{
    const SPropValue* props = row.lpProps;
    if (row.cValues < ColumnCount || IsError(props[ColEntryId])) {
        m_callback.RowError("Recipient EntryID is invalid");
        return;
    }
    if (toOnly) {
        if (IsError(props[ColRecipientType])) {
            m_callback.RowError("Recipient type is invalid");
            return;
        }
        if (props[ColRecipientType].Value.l != static_cast<LONG>(MAPI_TO))
            return;
    }
    if (EnterListOf(props[ColEntryId]))
        return;
    m_callback.Pump();
    const char* displayName = IsError(props[ColDisplayName]) ? nullptr : props[ColDisplayName].Value.lpszA;
    if (!m_openEntries) {
        m_callback.Recipient(parentList, nullptr, displayName);
        return;
    }
    OpenRecipient(props[ColEntryId], parentList, displayName);
}

// True when the entry is a distribution list (walked now, or already on the path).
bool CWERecipientWalk::EnterListOf(const SPropValue& entryId)
{
    ULONG type = 0;
    CComPtr<IUnknown> object;
    HRESULT hr = m_addressBook->OpenEntry(entryId.Value.bin.cb, reinterpret_cast<LPENTRYID>(entryId.Value.bin.lpb),
                                          &IID_IDistList, 0, &type, reinterpret_cast<LPUNKNOWN*>(&object));
    if (FAILED(hr) || type != MAPI_DISTLIST || !object)
        return false;
    CComPtr<IDistList> list;
    if (FAILED(object->QueryInterface(IID_IDistList, reinterpret_cast<void**>(&list))) || !list)
        return false;
    const std::string key = Key(entryId);
    if (!m_path.Enter(key))
        return true;
    m_callback.Pump();
    m_callback.EnterList(list);
    CComPtr<IMAPITable> contents;
    if (FAILED(list->GetContentsTable(0, &contents)) || !contents)
        m_callback.RowError("Get content table of distribution list");
    else
        Walk(contents, list, false);
    m_path.Leave(key);
    return true;
}

void CWERecipientWalk::OpenRecipient(const SPropValue& entryId, IDistList* parentList, const char* displayName)
{
    ULONG type = 0;
    CComPtr<IUnknown> object;
    CComPtr<IMailUser> user;
    HRESULT hr = m_addressBook->OpenEntry(entryId.Value.bin.cb, reinterpret_cast<LPENTRYID>(entryId.Value.bin.lpb),
                                          &IID_IMailUser, 0, &type, reinterpret_cast<LPUNKNOWN*>(&object));
    if (SUCCEEDED(hr) && type == MAPI_MAILUSER && object)
        object->QueryInterface(IID_IMailUser, reinterpret_cast<void**>(&user));
    if (!user) {
        m_callback.RowError("Open address book entry.");
        return;
    }
    m_callback.Recipient(parentList, user, displayName);
}
