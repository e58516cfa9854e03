#include "CFolder.h"

#include "CFolders.h"
#include "CItems.h"
#include "DispatchAccessors.h"
#include "MapiAccess.h"

#include "com/Text.h"
#include "mapi/MapiUtil.h"

namespace pollenta::outlook {

namespace {

BSTR HexBstr(const std::string& bytes)
{
    return pollenta::com::BstrFromAnsi(
        HexFromBytes(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<ULONG>(bytes.size())));
}

}  // namespace

HRESULT MakeFolder(const ContextPtr& context, const std::string& storeId, const std::string& entryId,
                   MAPIFolder** folder)
{
    return CFolder::CreateInstance(IID_MAPIFolder, reinterpret_cast<void**>(folder), context, storeId, entryId);
}

CFolder::CFolder(ContextPtr context, std::string storeId, std::string entryId)
    : m_context(std::move(context)), m_storeId(std::move(storeId)), m_entryId(std::move(entryId))
{}

std::span<const pollenta::com::DispatchMember<CFolder>> CFolder::DispatchMembers()
{
    using T = CFolder;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"EntryID", 0xF01E, &GetText<T, &T::get_EntryID>},
        {"StoreID", 0x3118, &GetText<T, &T::get_StoreID>},
        {"Name", 0x3001, &GetText<T, &T::get_Name>},
        {"Items", 0x3100, &GetObject<T, _Items, &T::get_Items>},
        {"Folders", 0x2103, &GetObject<T, _Folders, &T::get_Folders>},
    };
    return members;
}

HRESULT CFolder::Open(CComPtr<IMsgStore>& store, CComPtr<IMAPIFolder>& folder) const
{
    if (HRESULT hr = OpenStore(m_context->session, m_storeId, store); FAILED(hr))
        return hr;
    return OpenFolder(store, m_entryId, folder);
}

STDMETHODIMP CFolder::get_EntryID(BSTR* entryId)
{
    if (!entryId)
        return E_POINTER;
    *entryId = HexBstr(m_entryId);
    return S_OK;
}

STDMETHODIMP CFolder::get_StoreID(BSTR* storeId)
{
    if (!storeId)
        return E_POINTER;
    *storeId = HexBstr(m_storeId);
    return S_OK;
}

STDMETHODIMP CFolder::get_Name(BSTR* name)
{
    if (!name)
        return E_POINTER;
    *name = nullptr;
    CComPtr<IMsgStore> store;
    CComPtr<IMAPIFolder> folder;
    if (HRESULT hr = Open(store, folder); FAILED(hr))
        return hr;
    // The top of a store's folders goes by the store's name, as paths begin.
    IMAPIProp* named = ReadBinary(store, PR_IPM_SUBTREE_ENTRYID) == m_entryId ? static_cast<IMAPIProp*>(store.p)
                                                                              : static_cast<IMAPIProp*>(folder.p);
    *name = pollenta::com::BstrFromAnsi(ReadText(named, PR_DISPLAY_NAME_A));
    return S_OK;
}

STDMETHODIMP CFolder::get_Items(_Items** items)
{
    if (!items)
        return E_POINTER;
    *items = nullptr;
    CComPtr<IMsgStore> store;
    CComPtr<IMAPIFolder> folder;
    if (HRESULT hr = Open(store, folder); FAILED(hr))
        return hr;
    return CItems::CreateInstance(IID__Items, reinterpret_cast<void**>(items), m_context, store.p, folder.p, m_storeId,
                                  m_entryId);
}

STDMETHODIMP CFolder::get_Folders(_Folders** folders)
{
    if (!folders)
        return E_POINTER;
    *folders = nullptr;
    CComPtr<IMsgStore> store;
    CComPtr<IMAPIFolder> folder;
    if (HRESULT hr = Open(store, folder); FAILED(hr))
        return hr;
    std::vector<std::string> children;
    if (HRESULT hr = ChildFolderIds(folder, children); FAILED(hr))
        return hr;
    return MakeFolders(m_context, std::vector<std::string>(children.size(), m_storeId), children, folders);
}

}  // namespace pollenta::outlook
