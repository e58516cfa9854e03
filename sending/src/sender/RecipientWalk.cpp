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
    // Each entry is opened once: what it is decides whether it is walked as
    // a list or handed on as a recipient.
    ULONG type = 0;
    CComPtr<IUnknown> entry;
    const SBinary& entryId = props[ColEntryId].Value.bin;
    if (FAILED(m_addressBook->OpenEntry(entryId.cb, reinterpret_cast<LPENTRYID>(entryId.lpb), nullptr, 0, &type,
                                        &entry)))
        entry.Release();
    if (entry && type == MAPI_DISTLIST && EnterList(entry, Key(props[ColEntryId])))
        return;
    m_callback.Pump();
    const char* displayName = IsError(props[ColDisplayName]) ? nullptr : props[ColDisplayName].Value.lpszA;
    if (!m_openEntries) {
        m_callback.Recipient(parentList, nullptr, displayName);
        return;
    }
    CComPtr<IMailUser> user;
    if (entry && type == MAPI_MAILUSER)
        entry->QueryInterface(IID_IMailUser, reinterpret_cast<void**>(&user));
    if (!user) {
        m_callback.RowError("Open address book entry.");
        return;
    }
    m_callback.Recipient(parentList, user, displayName);
}

// True when the entry is a distribution list (walked now, or already on the path).
bool CWERecipientWalk::EnterList(IUnknown* entry, const std::string& key)
{
    CComPtr<IDistList> list;
    if (FAILED(entry->QueryInterface(IID_IDistList, reinterpret_cast<void**>(&list))) || !list)
        return false;
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
