// The sender's preparation: the To recipients walked into the address map,
// the template's fixed recipients kept, and the Outbox opened.

#include "CZrMessageSender.h"

#include "CZrMAPIHelper.h"
#include "FindRowProp.h"

#include "errors/ZrThrow.h"
#include "sender/MapiRows.h"

#include "mapi/MapiUtil.h"

namespace {

std::string ListName(const SRow& row)
{
    const char* name = RowText(row.cValues, row.lpProps, PR_DISPLAY_NAME_A);
    return *name ? name : "<Unnamed>";
}

bool IsToRecipient(const SRow& row)
{
    LPSPropValue type = FindRowProp(row, PR_RECIPIENT_TYPE);
    return type && type->Value.l == static_cast<LONG>(MAPI_TO);
}

}  // namespace

void CZrMessageSender::ScanRecipients(IMAPITable* table, IDistList* parentList)
{
    LPSRowSet found = nullptr;
    HRESULT hr = HrQueryAllRows(table, CZrMAPIHelper::RecipientColumns(), nullptr, nullptr, 0, &found);
    RowsPtr rows(found);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022F3, hr, table, "HrQueryAllRows", ZR_HERE);
    if (!rows || rows->cRows == 0)
        ThrowComponentError(0xC000230B, ZR_HERE);
    for (ULONG i = 0; i < rows->cRows; ++i) {
        const SRow& row = rows->aRow[i];
        if (!parentList && !IsToRecipient(row))
            continue;
        CComPtr<IDistList> list;
        CComPtr<IMAPITable> contents;
        if (!OpenDistListContent(row, parentList, &list, &contents)) {
            AddRecipient(parentList, row);
            continue;
        }
        LPSPropValue id = FindRowProp(row, PR_ENTRYID);
        const std::string key(reinterpret_cast<const char*>(id->Value.bin.lpb), id->Value.bin.cb);
        if (!m_listPath.Enter(key))
            continue;
        try {
            ScanRecipients(contents, list);
        } catch (...) {
            m_listPath.Leave(key);
            throw;
        }
        m_listPath.Leave(key);
    }
}

BOOL CZrMessageSender::OpenDistListContent(const SRow& row, IDistList* parentList, IDistList** lppDistList,
                                           IMAPITable** lppDLContentsTable)
{
    if (!lppDistList)
        ThrowInvalidArgument("lppDistList", ZR_HERE);
    if (!lppDLContentsTable)
        ThrowInvalidArgument("lppDLContentsTable", ZR_HERE);
    if (!m_spAddrBook)
        ThrowInvalidMemberState("m_spAddrBook", ZR_HERE);
    LPSPropValue type = FindRowProp(row, PR_OBJECT_TYPE);
    LPSPropValue id = FindRowProp(row, PR_ENTRYID);
    if (!type || type->Value.l != static_cast<LONG>(MAPI_DISTLIST) || !id)
        return FALSE;
    const ULONG cb = id->Value.bin.cb;
    const LPENTRYID eid = reinterpret_cast<LPENTRYID>(id->Value.bin.lpb);
    CComPtr<IUnknown> object;
    ULONG objectType = 0;
    HRESULT hr = E_FAIL;
    if (parentList) {
        hr = parentList->OpenEntry(cb, eid, nullptr, 0, &objectType, reinterpret_cast<LPUNKNOWN*>(&object));
        if (FAILED(hr) || objectType != MAPI_DISTLIST)
            object.Release();
    }
    if (!object)
        hr = m_spAddrBook->OpenEntry(cb, eid, nullptr, 0, &objectType, reinterpret_cast<LPUNKNOWN*>(&object));
    if (FAILED(hr) || !object)
        ThrowMapiObject(0xC00022ED, ListName(row), FAILED(hr) ? hr : MAPI_E_NOT_FOUND, m_spAddrBook, "OpenEntry",
                        ZR_HERE);
    CComPtr<IDistList> list;
    if (FAILED(object->QueryInterface(IID_IDistList, reinterpret_cast<void**>(&list))) || !list)
        ThrowMapiObject(0xC00022ED, ListName(row), E_NOINTERFACE, m_spAddrBook, "QueryInterface", ZR_HERE);
    hr = list->GetContentsTable(0, lppDLContentsTable);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022ED, ListName(row), hr, list, "GetContentsTable", ZR_HERE);
    *lppDistList = list.Detach();
    return TRUE;
}

void CZrMessageSender::PrepareAddressListAndClearRecipients(IMAPITable* table)
{
    if (!table)
        ThrowInvalidArgument("lpRecipTable", ZR_HERE);
    if (!m_spTemplateMessage)
        ThrowInvalidMemberState("m_spTemplateMessage", ZR_HERE);
    LPSRowSet found = nullptr;
    HRESULT hr = HrQueryAllRows(table, nullptr, nullptr, nullptr, 0, &found);
    RowsPtr rows(found);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022F3, hr, table, "HrQueryAllRows", ZR_HERE);
    if (!rows || rows->cRows == 0)
        ThrowComponentError(0xC000230B, ZR_HERE);
    m_recipsTemplate.Allocate(rows->cRows);
    for (ULONG i = 0; i < rows->cRows; ++i)
        if (!IsToRecipient(rows->aRow[i]))
            m_recipsTemplate.AddRecipient(rows->aRow[i]);
}

void CZrMessageSender::OpenDefStoreAndFolder()
{
    if (!m_spSession)
        ThrowInvalidMemberState("m_spSession", ZR_HERE);
    CComPtr<IMAPITable> stores;
    HRESULT hr = m_spSession->GetMsgStoresTable(0, &stores);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022F4, hr, m_spSession, "GetMsgStoresTable", ZR_HERE);
    SizedSPropTagArray(2, columns) = {2, {PR_ENTRYID, PR_DEFAULT_STORE}};
    SPropValue isDefault{};
    isDefault.ulPropTag = PR_DEFAULT_STORE;
    isDefault.Value.b = TRUE;
    RowsPtr rows;
    hr = QueryRowsWhere(stores, reinterpret_cast<LPSPropTagArray>(&columns), isDefault, rows);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022E2, hr, stores, "HrQueryAllRows", ZR_HERE);
    if (!rows || rows->cRows != 1)
        ThrowComponentError(0xC00022CB, ZR_HERE);
    LPSPropValue id = FindRowProp(rows->aRow[0], PR_ENTRYID);
    if (!id)
        ThrowComponentError(0xC00022CA, ZR_HERE);
    hr = m_spSession->OpenMsgStore(reinterpret_cast<ULONG_PTR>(m_hParent), id->Value.bin.cb,
                                   reinterpret_cast<LPENTRYID>(id->Value.bin.lpb), &IID_IMsgStore,
                                   MAPI_BEST_ACCESS | MDB_TEMPORARY, &m_spDefMsgStore);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022E0, hr, m_spSession, "OpenMsgStore", ZR_HERE);
    LPSPropValue outboxFound = nullptr;
    hr = HrGetOneProp(m_spDefMsgStore, PR_IPM_OUTBOX_ENTRYID, &outboxFound);
    std::unique_ptr<SPropValue, decltype(&MAPIFreeBuffer)> outboxId(outboxFound, MAPIFreeBuffer);
    if (FAILED(hr))
        ThrowMapiObject(0xC00022C9, hr, m_spDefMsgStore, "HrGetOneProp", ZR_HERE);
    ULONG type = 0;
    hr = m_spDefMsgStore->OpenEntry(outboxId->Value.bin.cb, reinterpret_cast<LPENTRYID>(outboxId->Value.bin.lpb),
                                    &IID_IMAPIFolder, MAPI_BEST_ACCESS, &type,
                                    reinterpret_cast<LPUNKNOWN*>(&m_spOutbox));
    if (FAILED(hr))
        ThrowMapiObject(0xC00022DD, hr, m_spDefMsgStore, "OpenEntry", ZR_HERE);
}
