#include "CItems.h"

#include "CMailItem.h"
#include "CollectionIndex.h"
#include "ContentsCache.h"
#include "DispatchAccessors.h"
#include "MapiAccess.h"

#include "mapi/MapiUtil.h"

namespace pollenta::outlook {

CItems::CItems(ContextPtr context, IMsgStore* store, IMAPIFolder* folder, std::string storeId, std::string folderId)
    : m_context(std::move(context)), m_store(store), m_folder(folder), m_storeId(std::move(storeId)),
      m_folderId(std::move(folderId))
{}

std::span<const pollenta::com::DispatchMember<CItems>> CItems::DispatchMembers()
{
    using T = CItems;
    static const pollenta::com::DispatchMember<T> members[] = {
        {"Count", 0x50, &GetLong<T, &T::get_Count>},
        {"Item", 0x51, &GetItem<T, IDispatch, &T::Item>},
    };
    return members;
}

HRESULT CItems::ReadIds(std::shared_ptr<const std::vector<std::string>>& ids)
{
    return m_context->contents->MessageIds(m_store, m_storeId, m_folder, m_folderId, ids);
}

STDMETHODIMP CItems::get_Count(LONG* count)
{
    if (!count)
        return E_POINTER;
    std::shared_ptr<const std::vector<std::string>> ids;
    if (HRESULT hr = ReadIds(ids); FAILED(hr))
        return hr;
    *count = static_cast<LONG>(ids->size());
    return S_OK;
}

STDMETHODIMP CItems::Item(VARIANT index, IDispatch** item)
{
    if (!item)
        return E_POINTER;
    *item = nullptr;
    std::shared_ptr<const std::vector<std::string>> ids;
    if (HRESULT hr = ReadIds(ids); FAILED(hr))
        return hr;
    std::size_t position = 0;
    if (HRESULT hr = CollectionIndex(index, ids->size(), nullptr, position); FAILED(hr))
        return hr;
    CComPtr<IMessage> message;
    if (HRESULT hr = OpenMessage(m_store, (*ids)[position], message); FAILED(hr))
        return hr;
    return MakeMailItem(m_context, m_store, message, item);
}

}  // namespace pollenta::outlook
