#include "ContentsCache.h"

#include "MapiAccess.h"

#include "mapi/MapiUtil.h"

namespace pollenta::outlook {

HRESULT CContentsCache::MessageIds(IMsgStore* store, const std::string& storeId, IMAPIFolder* folder,
                                   const std::string& folderId, Ids& ids)
{
    if (HRESULT hr = Watch(store, storeId); FAILED(hr))
        return hr;
    // What this thread changed has been told by the time it looks again.
    HrDispatchNotifications(0);
    std::uint64_t forgotten = 0;
    {
        std::lock_guard lock(m_mutex);
        if (auto found = m_folders.find(folderId); found != m_folders.end()) {
            ids = found->second;
            return S_OK;
        }
        forgotten = m_forgotten;
    }
    CComPtr<IMAPITable> table;
    auto read = std::make_shared<std::vector<std::string>>();
    if (HRESULT hr = folder->GetContentsTable(0, &table); FAILED(hr))
        return hr;
    if (HRESULT hr = ReadEntryIds(table, *read); FAILED(hr))
        return hr;
    ids = read;
    std::lock_guard lock(m_mutex);
    if (forgotten == m_forgotten)
        m_folders[folderId] = ids;
    return S_OK;
}

HRESULT CContentsCache::Watch(IMsgStore* store, const std::string& storeId)
{
    std::lock_guard lock(m_mutex);
    if (m_watches.count(storeId))
        return S_OK;
    std::unique_ptr<CStoreWatch> watch;
    HRESULT hr = CStoreWatch::Start(
        store,
        [this](const std::string& folderId, bool listChanged) {
            if (listChanged)
                Forget(folderId);
        },
        watch);
    if (SUCCEEDED(hr))
        m_watches[storeId] = std::move(watch);
    return hr;
}

void CContentsCache::Forget(const std::string& folderId)
{
    std::lock_guard lock(m_mutex);
    m_folders.erase(folderId);
    ++m_forgotten;
}

}  // namespace pollenta::outlook
