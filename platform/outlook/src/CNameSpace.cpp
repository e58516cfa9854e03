#include "CNameSpace.h"

#include "CFolder.h"
#include "CFolders.h"
#include "CMailItem.h"
#include "CRecipient.h"
#include "CollectionIndex.h"
#include "DispatchAccessors.h"
#include "MapiAccess.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "com/Text.h"
#include "mapi/MapiUtil.h"

namespace pollenta::outlook {

namespace {

HRESULT InvokeGetItemFromID(CNameSpace& self, DispatchCall& call)
{
    CComBSTR entryId;
    if (HRESULT hr = call.Arg(0, &entryId); FAILED(hr))
        return hr;
    CComVariant storeId;
    if (!call.IsMissing(1))
        if (HRESULT hr = call.Arg(1, VT_BSTR, &storeId); FAILED(hr))
            return hr;
    CComPtr<IDispatch> item;
    if (HRESULT hr = self.GetItemFromID(entryId, storeId, &item); FAILED(hr))
        return hr;
    return call.ReturnDispatch(item.Detach());
}

HRESULT StoreRows(IMAPISession* session, LPSRowSet* rows)
{
    CComPtr<IMAPITable> table;
    if (HRESULT hr = session->GetMsgStoresTable(0, &table); FAILED(hr))
        return hr;
    SizedSPropTagArray(1, columns) = {1, {PR_ENTRYID}};
    return HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, rows);
}

}  // namespace

CNameSpace::CNameSpace(ContextPtr context) : m_context(std::move(context)) {}

std::span<const pollenta::com::DispatchMember<CNameSpace>> CNameSpace::DispatchMembers()
{
    using T = CNameSpace;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"GetDefaultFolder", 0x210B, &CallForObject<T, LONG, MAPIFolder, &T::GetDefaultFolder>},
        {"GetItemFromID", 0x2109, &InvokeGetItemFromID},
        {"CurrentUser", 0x2101, &GetObject<T, Recipient, &T::get_CurrentUser>},
        {"Folders", 0x2103, &GetObject<T, _Folders, &T::get_Folders>},
        {"MAPIOBJECT", 0xF100, &GetUnknown<T, &T::get_MAPIOBJECT>},
    };
    return members;
}

STDMETHODIMP CNameSpace::GetDefaultFolder(LONG folderType, MAPIFolder** folder)
{
    if (!folder)
        return E_POINTER;
    *folder = nullptr;
    CComPtr<IMsgStore> store;
    std::string entryId;
    if (HRESULT hr = FindDefaultFolder(m_context->session, folderType, store, entryId); FAILED(hr))
        return hr;
    return MakeFolder(m_context, ReadBinary(store, PR_ENTRYID), entryId, folder);
}

STDMETHODIMP CNameSpace::GetItemFromID(BSTR entryId, VARIANT storeId, IDispatch** item)
{
    if (!item)
        return E_POINTER;
    *item = nullptr;
    std::string id;
    if (!BytesFromHex(pollenta::com::AnsiFromBstr(entryId), id) || id.empty())
        return E_INVALIDARG;
    CComPtr<IMsgStore> store;
    if (!IsLeftOut(storeId)) {
        std::string store_id;
        if (storeId.vt != VT_BSTR || !BytesFromHex(pollenta::com::AnsiFromBstr(storeId.bstrVal), store_id))
            return E_INVALIDARG;
        if (HRESULT hr = OpenStore(m_context->session, store_id, store); FAILED(hr))
            return hr;
    } else if (HRESULT hr = OpenDefaultStore(m_context->session, store); FAILED(hr)) {
        return hr;
    }
    CComPtr<IMessage> message;
    if (HRESULT hr = OpenMessage(store, id, message); FAILED(hr))
        return hr;
    return MakeMailItem(m_context, store, message, item);
}

STDMETHODIMP CNameSpace::get_CurrentUser(Recipient** user)
{
    if (!user)
        return E_POINTER;
    return CRecipient::CreateInstance(IID_Recipient, reinterpret_cast<void**>(user), nullptr, 0, m_context->userName,
                                      m_context->userAddress, MAPI_TO);
}

STDMETHODIMP CNameSpace::get_Folders(_Folders** folders)
{
    if (!folders)
        return E_POINTER;
    *folders = nullptr;
    LPSRowSet rows = nullptr;
    if (HRESULT hr = StoreRows(m_context->session, &rows); FAILED(hr))
        return hr;
    std::vector<std::string> storeIds;
    std::vector<std::string> topIds;
    for (ULONG i = 0; i < rows->cRows; ++i) {
        const SBinary& id = rows->aRow[i].lpProps[0].Value.bin;
        const std::string storeId(reinterpret_cast<const char*>(id.lpb), id.cb);
        CComPtr<IMsgStore> store;
        if (FAILED(OpenStore(m_context->session, storeId, store)))
            continue;
        const std::string top = ReadBinary(store, PR_IPM_SUBTREE_ENTRYID);
        if (top.empty())
            continue;
        storeIds.push_back(storeId);
        topIds.push_back(top);
    }
    FreeProws(rows);
    return MakeFolders(m_context, std::move(storeIds), std::move(topIds), folders);
}

STDMETHODIMP CNameSpace::get_MAPIOBJECT(IUnknown** session)
{
    if (!session)
        return E_POINTER;
    *session = m_context->session.p;
    (*session)->AddRef();
    return S_OK;
}

}  // namespace pollenta::outlook
