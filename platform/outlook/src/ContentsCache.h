#pragma once
// The entry ids of the messages of each folder the object model was asked
// about, read from the folder's contents table once and again only after
// the store told of a message that came into the folder or left it. So
// walking a folder's Items costs one read of its table, not one per item.

#include "outlook/StoreWatch.h"

#include "mapi/IMAPIFolder.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace pollenta::outlook {

class CContentsCache {
public:
    using Ids = std::shared_ptr<const std::vector<std::string>>;

    // `folderId` is the folder's entry id; `store` the store it is in.
    HRESULT MessageIds(IMsgStore* store, const std::string& storeId, IMAPIFolder* folder, const std::string& folderId,
                       Ids& ids);

private:
    HRESULT Watch(IMsgStore* store, const std::string& storeId);
    void Forget(const std::string& folderId);

    std::mutex m_mutex;
    std::map<std::string, Ids> m_folders;
    // Counts what was forgotten, so that a read that a change overtook is
    // not kept.
    std::uint64_t m_forgotten = 0;
    // Last: the watches go first, and with them every call that could reach
    // the folders.
    std::map<std::string, std::unique_ptr<CStoreWatch>> m_watches;
};

}  // namespace pollenta::outlook
