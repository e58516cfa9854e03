#pragma once
// Hears a store tell of the messages that come into its folders, leave
// them or change in them, for whoever keeps something of a folder's
// contents (the object model's Items, an explorer's message list):
//
//     std::unique_ptr<CStoreWatch> watch;
//     CStoreWatch::Start(store, [](const std::string& folderId, bool listChanged) { ... }, watch);
//
// The callback runs on the MAPI layer's notification thread, once for each
// folder an event concerns (both folders of a move); `listChanged` is false
// when a message only changed its properties. Once the watch is gone, no
// call is in progress and none comes.

#include "mapi/IMsgStore.h"

#include "com/ComPtr.h"

#include <functional>
#include <memory>
#include <string>

namespace pollenta::outlook {

class CStoreWatch {
public:
    using Changed = std::function<void(const std::string& folderEntryId, bool listChanged)>;
    static HRESULT Start(IMsgStore* store, Changed changed, std::unique_ptr<CStoreWatch>& watch);
    ~CStoreWatch();
    CStoreWatch(const CStoreWatch&) = delete;
    CStoreWatch& operator=(const CStoreWatch&) = delete;

private:
    CStoreWatch(IMsgStore* store, Changed changed);
    static ULONG OnNotify(LPVOID self, ULONG count, LPNOTIFICATION notifications);

    CComPtr<IMsgStore> m_store;
    Changed m_changed;
    ULONG_PTR m_connection = 0;
};

}  // namespace pollenta::outlook
