#pragma once
// What every object of the client's object model shares: the MAPI session
// it stands on, the version it reports, the user it sends as, and weak
// links back to the application and its window collections (the objects
// that own them clear the links when they go), and what it knows of the
// folders' contents.

#include "com/ComPtr.h"
#include "mapi/IMAPISession.h"

#include <memory>
#include <string>

struct _Application;

namespace pollenta::outlook {

class CContentsCache;
class CInspectors;

struct OutlookContext {
    CComPtr<IMAPISession> session;
    std::string version;
    std::string userName;
    std::string userAddress;
    _Application* application = nullptr;
    CInspectors* inspectors = nullptr;
    std::shared_ptr<CContentsCache> contents;
};
using ContextPtr = std::shared_ptr<OutlookContext>;

}  // namespace pollenta::outlook
