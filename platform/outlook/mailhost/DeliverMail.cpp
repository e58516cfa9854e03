#include "DeliverMail.h"

#include "com/ComBstr.h"
#include "com/ComPtr.h"
#include "com/ComVariant.h"
#include "mapi/MailFile.h"
#include "mapi/Mapi.h"
#include "mapi/MapiAdmin.h"

#include <cstdio>
#include <sstream>

namespace mailhost {

namespace {

std::vector<std::string> PathParts(const std::string& path)
{
    std::vector<std::string> parts;
    std::stringstream in(path);
    for (std::string part; std::getline(in, part, '\\');)
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

// The folder by its display path, walked through the object model's
// folder lists by name.
HRESULT FindFolder(_Application* application, const std::string& path, CComPtr<MAPIFolder>& folder)
{
    const std::vector<std::string> parts = PathParts(path);
    if (parts.empty())
        return E_INVALIDARG;
    CComPtr<_NameSpace> nameSpace;
    if (HRESULT hr = application->GetNamespace(CComBSTR("MAPI"), &nameSpace); FAILED(hr))
        return hr;
    CComPtr<_Folders> folders;
    if (HRESULT hr = nameSpace->get_Folders(&folders); FAILED(hr))
        return hr;
    for (const std::string& part : parts) {
        folder.Release();
        if (HRESULT hr = folders->Item(CComVariant(part.c_str()), &folder); FAILED(hr))
            return MAPI_E_NOT_FOUND;
        folders.Release();
        if (HRESULT hr = folder->get_Folders(&folders); FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT OpenTarget(IMAPISession* session, MAPIFolder* target, CComPtr<IMsgStore>& store, CComPtr<IMAPIFolder>& folder)
{
    CComBSTR storeHex, folderHex;
    target->get_StoreID(&storeHex);
    target->get_EntryID(&folderHex);
    std::string storeId(storeHex.Length() / 2, '\0'), folderId(folderHex.Length() / 2, '\0');
    FBinFromHex(storeHex.ToString().data(), reinterpret_cast<LPBYTE>(storeId.data()));
    FBinFromHex(folderHex.ToString().data(), reinterpret_cast<LPBYTE>(folderId.data()));
    if (HRESULT hr =
            session->OpenMsgStore(0, static_cast<ULONG>(storeId.size()), reinterpret_cast<LPENTRYID>(storeId.data()),
                                  nullptr, MAPI_BEST_ACCESS, &store);
        FAILED(hr))
        return hr;
    ULONG type = 0;
    CComPtr<IUnknown> object;
    if (HRESULT hr = store->OpenEntry(static_cast<ULONG>(folderId.size()), reinterpret_cast<LPENTRYID>(folderId.data()),
                                      &IID_IMAPIFolder, MAPI_BEST_ACCESS, &type, &object);
        FAILED(hr))
        return hr;
    folder = CComQIPtr<IMAPIFolder>(object.p);
    return folder ? S_OK : E_NOINTERFACE;
}

HRESULT SessionOf(_Application* application, CComPtr<IMAPISession>& session)
{
    CComPtr<_NameSpace> nameSpace;
    if (HRESULT hr = application->GetNamespace(CComBSTR("MAPI"), &nameSpace); FAILED(hr))
        return hr;
    CComPtr<IUnknown> object;
    if (HRESULT hr = nameSpace->get_MAPIOBJECT(&object); FAILED(hr))
        return hr;
    session = CComQIPtr<IMAPISession>(object.p);
    return session ? S_OK : E_NOINTERFACE;
}

}  // namespace

int DeliverMail(_Application* application, const std::string& folderPath, const std::vector<std::string>& files)
{
    CComPtr<IMAPISession> session;
    CComPtr<MAPIFolder> target;
    CComPtr<_NameSpace> nameSpace;
    HRESULT hr = SessionOf(application, session);
    if (SUCCEEDED(hr))
        hr = application->GetNamespace(CComBSTR("MAPI"), &nameSpace);
    if (SUCCEEDED(hr))
        hr = folderPath.empty() ? nameSpace->GetDefaultFolder(olFolderInbox, &target)
                                : FindFolder(application, folderPath, target);
    CComPtr<IMsgStore> store;
    CComPtr<IMAPIFolder> folder;
    if (SUCCEEDED(hr))
        hr = OpenTarget(session, target, store, folder);
    if (FAILED(hr)) {
        std::fprintf(stderr, "mailhost: the folder %s cannot be opened (0x%08X)\n",
                     folderPath.empty() ? "Inbox" : folderPath.c_str(), static_cast<unsigned>(hr));
        return 1;
    }
    int result = 0;
    for (const std::string& file : files) {
        std::vector<BYTE> mime;
        std::string reason;
        if (!pollenta::mapi::ReadMailFile(file, mime, reason)) {
            std::fprintf(stderr, "mailhost: %s was not delivered: %s\n", file.c_str(), reason.c_str());
            result = 1;
            continue;
        }
        if (HRESULT delivered = pollenta::mapi::DeliverMime(store, folder, mime, nullptr); FAILED(delivered)) {
            std::fprintf(stderr, "mailhost: %s was not delivered (0x%08X)\n", file.c_str(),
                         static_cast<unsigned>(delivered));
            result = 1;
            continue;
        }
        std::printf("delivered %s\n", file.c_str());
    }
    HrDispatchNotifications(0);
    return result;
}

}  // namespace mailhost
