// A second process on the default profile of the registry named by
// POLLENTA_REGISTRY, for the tests of spoolers that share one profile.
//
//     mapi_spooler_process flush   START_FILE
//     mapi_spooler_process deliver START_FILE DROP_FOLDER
//
// It logs on, waits until START_FILE exists, so that every process starts
// at once, then either flushes the queue of the default store or fetches
// dropped mail until it and the others have emptied DROP_FOLDER. Exit code 0
// when done, 1 on a failure, 2 for a wrong command line.

#include "com/ComPtr.h"
#include "mapi/Mapi.h"
#include "mapi/MapiUtil.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace {

bool WaitFor(const std::function<bool()>& done)
{
    for (int i = 0; i < 60000; ++i) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

// Neither waiting nor claimed files are left.
bool Empty(const std::string& folder)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().filename().string().find(".eml") != std::string::npos) return false;
    return true;
}

// The spooler's status object, with the default store opened so that the
// spooler sends from it.
HRESULT OpenSpooler(IMAPISession* session, CComPtr<IMsgStore>& store, CComPtr<IMAPIStatus>& spooler)
{
    CComPtr<IMAPITable> stores;
    LPSRowSet rows = nullptr;
    if (HRESULT hr = session->GetMsgStoresTable(0, &stores); FAILED(hr)) return hr;
    if (HRESULT hr = HrQueryAllRows(stores, nullptr, nullptr, nullptr, 0, &rows); FAILED(hr)) return hr;
    SBinary id = rows->aRow[0].lpProps[0].Value.bin;
    HRESULT hr = session->OpenMsgStore(0, id.cb, reinterpret_cast<LPENTRYID>(id.lpb), nullptr, MAPI_BEST_ACCESS, &store);
    FreeProws(rows);
    if (FAILED(hr)) return hr;

    CComPtr<IMAPITable> status;
    if (hr = session->GetStatusTable(0, &status); FAILED(hr)) return hr;
    if (hr = HrQueryAllRows(status, nullptr, nullptr, nullptr, 0, &rows); FAILED(hr)) return hr;
    SBinary spoolerId = rows->aRow[0].lpProps[0].Value.bin;
    ULONG type = 0;
    CComPtr<IUnknown> object;
    hr = session->OpenEntry(spoolerId.cb, reinterpret_cast<LPENTRYID>(spoolerId.lpb), nullptr, 0, &type, &object);
    FreeProws(rows);
    if (FAILED(hr)) return hr;
    spooler = CComQIPtr<IMAPIStatus>(object.p);
    return spooler ? S_OK : E_NOINTERFACE;
}

int Run(const std::string& command, const std::string& start, const std::string& drop)
{
    CComPtr<IMAPISession> session;
    CComPtr<IMsgStore> store;
    CComPtr<IMAPIStatus> spooler;
    if (FAILED(MAPILogonEx(0, nullptr, nullptr, MAPI_EXTENDED, &session))) return 1;
    if (HRESULT hr = OpenSpooler(session, store, spooler); FAILED(hr)) {
        std::fprintf(stderr, "Cannot open the spooler: 0x%08x\n", static_cast<unsigned>(hr));
        return 1;
    }
    if (!WaitFor([&] { return std::filesystem::exists(start); })) return 1;
    if (command == "flush") {
        HRESULT hr = spooler->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD);
        if (FAILED(hr)) std::fprintf(stderr, "FlushQueues failed: 0x%08x\n", static_cast<unsigned>(hr));
        return FAILED(hr) ? 1 : 0;
    }
    // Fetching again and again, beside the spooler's own rounds, so that the
    // processes reach for the same files at the same time.
    return WaitFor([&] { return SUCCEEDED(spooler->FlushQueues(0, 0, nullptr, FLUSH_DOWNLOAD)) && Empty(drop); }) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    if (!(command == "flush" && argc == 3) && !(command == "deliver" && argc == 4)) {
        std::fprintf(stderr, "usage: mapi_spooler_process flush START_FILE | deliver START_FILE DROP_FOLDER\n");
        return 2;
    }
    MAPIINIT_0 init = {MAPI_INIT_VERSION, 0};
    if (FAILED(MAPIInitialize(&init))) return 1;
    int result = Run(command, argv[2], argc > 3 ? argv[3] : "");
    HrDispatchNotifications(0);
    MAPIUninitialize();
    return result;
}
