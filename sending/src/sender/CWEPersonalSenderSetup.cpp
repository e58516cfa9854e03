// The steps before the copies: recipients resolved, the sending account
// kept, the recipients counted and the exclusions collected.

#include "CWEPersonalSender.h"
#include "MapiRows.h"
#include "RecipientIdentity.h"
#include "RecipientWalk.h"

#include "mapi/IMAPITable.h"
#include "mapi/MapiGuids.h"
#include "mapi/MapiUtil.h"

#include <cstring>
#include <memory>

namespace {

class CWECountCallback : public CWERecipientCallback {
public:
    void EnterList(IDistList* list) override
    {
        if (!StringProp(list, PR_DISPLAY_NAME_A).empty())
            ++m_nLists;
    }
    void Recipient(IDistList* parentList, IMailUser*, const char*) override
    {
        if (!parentList) {
            ++m_nEntries;
            return;
        }
        const std::string name = StringProp(parentList, PR_DISPLAY_NAME_A);
        if (!name.empty() && name.rfind("exclude", 0) != 0)
            ++m_nEntries;
    }
    int m_nLists = 0;
    int m_nEntries = 0;
};

class CWEExcludeCallback : public CWERecipientCallback {
public:
    explicit CWEExcludeCallback(CWEPersonalSender& sender) : m_sender(sender) {}
    void Recipient(IDistList* parentList, IMailUser* user, const char*) override
    {
        if (IsExclusionList(parentList))
            m_sender.MarkAddressSent(StringProp(user, PR_EMAIL_ADDRESS_A));
    }

private:
    CWEPersonalSender& m_sender;
};

const SPropValue* FindEntryProp(const ADRENTRY& entry, ULONG tag)
{
    for (ULONG i = 0; entry.rgPropVals && i < entry.cValues; ++i)
        if (entry.rgPropVals[i].ulPropTag == tag)
            return &entry.rgPropVals[i];
    return nullptr;
}

// The entry's text property; null when it is missing or empty.
const char* EntryText(const ADRENTRY& entry, ULONG tag)
{
    const SPropValue* value = FindEntryProp(entry, tag);
    return value && value->Value.lpszA && *value->Value.lpszA ? value->Value.lpszA : nullptr;
}

}  // namespace

// The row set is handed to ResolveName as the address list itself:
// ResolveName replaces the property arrays it resolves, and the set is
// freed once, afterwards.
HRESULT CWEPersonalSender::ResolveRecipients()
{
    CComPtr<IMAPITable> table;
    if (FAILED(m_spMessage->GetRecipientTable(0, &table)) || !table)
        return E_FAIL;
    ULONG count = 0;
    HRESULT hr = table->GetRowCount(0, &count);
    if (FAILED(hr))
        return hr;
    if (count == 0)
        return TM_E_NORECIPIENTS;
    LPSRowSet raw = nullptr;
    if (FAILED(table->QueryRows(static_cast<LONG>(count), 0, &raw)))
        return E_FAIL;
    RowsPtr rows(raw);
    if (!rows || rows->cRows == 0)
        return TM_E_NORECIPIENTS;
    LPADRLIST list = reinterpret_cast<LPADRLIST>(rows.get());
    const HRESULT resolved = m_spAddrBook->ResolveName(reinterpret_cast<ULONG_PTR>(m_hParent), MAPI_DIALOG, nullptr,
                                                       list);
    if (resolved != S_OK)
        CollectUnresolved(*list);
    if (FAILED(hr = m_spMessage->ModifyRecipients(MODRECIP_MODIFY, list)))
        return hr;
    if (FAILED(hr = m_spMessage->SaveChanges(KEEP_OPEN_READWRITE)))
        return hr;
    return resolved != S_OK ? TM_E_UNRESOLVED : S_OK;
}

// An entry that ResolveName left without an entry id was not recognised;
// it still has the name the user typed.
void CWEPersonalSender::CollectUnresolved(const ADRLIST& list)
{
    m_unresolved.clear();
    for (ULONG i = 0; i < list.cEntries; ++i) {
        const ADRENTRY& entry = list.aEntries[i];
        if (FindEntryProp(entry, PR_ENTRYID))
            continue;
        const char* name = EntryText(entry, PR_DISPLAY_NAME_A);
        const char* address = EntryText(entry, PR_EMAIL_ADDRESS_A);
        if (name || address)
            m_unresolved.emplace_back(name ? name : address);
    }
}

// The account the item was composed with goes out with every copy.
HRESULT CWEPersonalSender::SetSendAccount(IMessage* message)
{
    MAPINAMEID names[2] = {{const_cast<LPGUID>(&PSETID_Common), MNID_ID, {0x8580}},
                           {const_cast<LPGUID>(&PSETID_Common), MNID_ID, {0x8581}}};
    LPMAPINAMEID nameList[2] = {&names[0], &names[1]};
    LPSPropTagArray tags = nullptr;
    HRESULT hr = message->GetIDsFromNames(2, nameList, 0, &tags);
    if (FAILED(hr))
        return hr;
    std::unique_ptr<SPropTagArray, decltype(&MAPIFreeBuffer)> tagsOwner(tags, MAPIFreeBuffer);
    if (!tags || tags->cValues != 2 || PROP_TYPE(tags->aulPropTag[0]) == PT_ERROR ||
        PROP_TYPE(tags->aulPropTag[1]) == PT_ERROR)
        return S_OK;
    SizedSPropTagArray(2, wanted) = {2, {CHANGE_PROP_TYPE(tags->aulPropTag[0], PT_STRING8),
                                         CHANGE_PROP_TYPE(tags->aulPropTag[1], PT_STRING8)}};
    ULONG count = 0;
    LPSPropValue values = nullptr;
    hr = message->GetProps(reinterpret_cast<LPSPropTagArray>(&wanted), 0, &count, &values);
    if (FAILED(hr))
        return hr;
    std::unique_ptr<SPropValue, decltype(&MAPIFreeBuffer)> valuesOwner(values, MAPIFreeBuffer);
    if (count != 2 || PROP_TYPE(values[0].ulPropTag) != PT_STRING8 || PROP_TYPE(values[1].ulPropTag) != PT_STRING8 ||
        !*values[0].Value.lpszA || !*values[1].Value.lpszA)
        return S_OK;
    std::string account = std::string(values[1].Value.lpszA) + '\x01' + values[0].Value.lpszA;
    SPropValue accounts[2] = {};
    accounts[0].ulPropTag = PR_PRIMARY_SEND_ACCT;
    accounts[0].Value.lpszA = account.data();
    accounts[1].ulPropTag = PR_NEXT_SEND_ACCT;
    accounts[1].Value.lpszA = account.data();
    return message->SetProps(2, accounts, nullptr);
}

HRESULT CWEPersonalSender::CountRecipients(int& lists, int& entries)
{
    CComPtr<IMAPITable> table;
    HRESULT hr = m_spMessage->GetRecipientTable(0, &table);
    if (FAILED(hr))
        return hr;
    CWECountCallback counter;
    CWERecipientWalk walk(m_spAddrBook, counter, false);
    hr = walk.Walk(table, nullptr, true);
    lists = counter.m_nLists;
    entries = counter.m_nEntries;
    return hr;
}

HRESULT CWEPersonalSender::CollectExclusions()
{
    CComPtr<IMAPITable> table;
    HRESULT hr = m_spMessage->GetRecipientTable(0, &table);
    if (FAILED(hr))
        return hr;
    CWEExcludeCallback excluder(*this);
    CWERecipientWalk walk(m_spAddrBook, excluder, true);
    return walk.Walk(table, nullptr, true);
}

HRESULT CWEPersonalSender::OpenSpoolerStatus(CComPtr<IMAPIStatus>& status)
{
    CComPtr<IMAPITable> table;
    HRESULT hr = m_spSession->GetStatusTable(0, &table);
    if (FAILED(hr))
        return hr;
    SizedSPropTagArray(1, columns) = {1, {PR_ENTRYID}};
    SPropValue spooler{};
    spooler.ulPropTag = PR_RESOURCE_TYPE;
    spooler.Value.l = MAPI_SPOOLER;
    RowsPtr rows;
    hr = QueryRowsWhere(table, reinterpret_cast<LPSPropTagArray>(&columns), spooler, rows);
    if (FAILED(hr))
        return hr;
    if (!rows || rows->cRows == 0 || PROP_TYPE(rows->aRow[0].lpProps[0].ulPropTag) != PT_BINARY)
        return MAPI_E_NOT_FOUND;
    const SBinary& entryId = rows->aRow[0].lpProps[0].Value.bin;
    ULONG type = 0;
    hr = m_spSession->OpenEntry(entryId.cb, reinterpret_cast<LPENTRYID>(entryId.lpb), nullptr, MAPI_BEST_ACCESS, &type,
                                reinterpret_cast<LPUNKNOWN*>(&status));
    if (SUCCEEDED(hr) && type != MAPI_STATUS) {
        status.Release();
        return MAPI_E_INVALID_OBJECT;
    }
    return hr;
}
