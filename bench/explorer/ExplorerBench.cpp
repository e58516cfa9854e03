// Opens an explorer on an Inbox of N messages and times until its list
// shows them all, beside the bare read of the same rows (the columns the
// list shows) from the store's contents table, in the same run.
//
//     bench_explorer [N]     (default 50000 messages, under /tmp)

#include "LargeFolder.h"
#include "bench/BenchFolder.h"
#include "bench/BenchRow.h"

#include "outlook/OutlookHost.h"
#include "outlookwindows/HostWindows.h"

#include "com/ComPtr.h"
#include "mapi/Mapi.h"
#include "mapi/MapiAdmin.h"
#include "mapi/MapiUtil.h"

#include <QApplication>
#include <QTableView>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace {

using Clock = std::chrono::steady_clock;

void Check(HRESULT hr, const char* what)
{
    if (FAILED(hr))
        throw std::runtime_error(std::string(what) + " failed");
}

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

CComPtr<IMAPIFolder> Inbox(IMsgStore* store)
{
    ULONG size = 0;
    LPENTRYID id = nullptr;
    Check(store->GetReceiveFolder(nullptr, 0, &size, &id, nullptr), "GetReceiveFolder");
    ULONG type = 0;
    CComPtr<IUnknown> folder;
    Check(store->OpenEntry(size, id, &IID_IMAPIFolder, MAPI_MODIFY, &type, &folder), "OpenEntry");
    MAPIFreeBuffer(id);
    return CComQIPtr<IMAPIFolder>(folder.p);
}

int ListedRows()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* list = widget->findChild<QTableView*>("messages"); list && widget->isVisible())
            return list->model()->rowCount();
    return -1;
}

double ExplorerSeconds(IMAPISession* session, int count)
{
    std::unique_ptr<pollenta::outlook::OutlookHost> host;
    Check(pollenta::outlook::OutlookHost::Create(session, {"11.0.5510", "Ann", "ann@example.org"}, host), "Create");
    pollenta::outlook::HostWindows windows(*host);
    windows.ProcessEvents();
    CComPtr<_Explorer> explorer;
    const Clock::time_point start = Clock::now();
    Check(host->OpenExplorer(&explorer), "OpenExplorer");
    windows.ProcessEvents();
    const double seconds = Seconds(start);
    if (ListedRows() != count)
        throw std::runtime_error("the list shows " + std::to_string(ListedRows()) + " rows");
    explorer.Release();
    host->CloseWindows();
    return seconds;
}

double BareSeconds(IMAPIFolder* folder, int count)
{
    const Clock::time_point start = Clock::now();
    CComPtr<IMAPITable> table;
    Check(folder->GetContentsTable(0, &table), "GetContentsTable");
    SizedSPropTagArray(4, columns) = {4, {PR_ENTRYID, PR_SENDER_NAME_A, PR_SUBJECT_A, PR_DISPLAY_TO_A}};
    LPSRowSet rows = nullptr;
    Check(HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows), "QueryRows");
    const double seconds = Seconds(start);
    const bool all = rows->cRows == static_cast<ULONG>(count);
    FreeProws(rows);
    if (!all)
        throw std::runtime_error("the table has another number of rows");
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 50000;
    if (count <= 1 || argc > 2) {
        std::fprintf(stderr, "usage: bench_explorer [N]\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int result = 0;
    try {
        const bench::CBenchFolder folder("explorer");
        const std::string& dir = folder.Path();
        static int qtArgc = 1;
        static char name[] = "bench_explorer";
        static char* qtArgv[] = {name, nullptr};
        QApplication application(qtArgc, qtArgv);
        MAPIINIT_0 init = {MAPI_INIT_VERSION, 0};
        Check(MAPIInitialize(&init), "MAPIInitialize");
        {
            Check(pollenta::mapi::CreateProfile("Bench", dir + "/book.db", dir + "/outgoing", true), "CreateProfile");
            std::string storeId;
            Check(pollenta::mapi::CreateStore("Bench", dir + "/bench.store", "Bench", true, &storeId), "CreateStore");
            CComPtr<IMAPISession> session;
            Check(MAPILogonEx(0, nullptr, nullptr, MAPI_EXTENDED, &session), "MAPILogonEx");
            CComPtr<IMsgStore> store;
            Check(session->OpenMsgStore(0, static_cast<ULONG>(storeId.size()),
                                        reinterpret_cast<LPENTRYID>(storeId.data()), nullptr, MAPI_BEST_ACCESS, &store),
                  "OpenMsgStore");
            CComPtr<IMAPIFolder> inbox = Inbox(store);
            largefolder::Fill(inbox, dir + "/bench.store", count, "Answer");
            // Both read a store whose pages the system has cached.
            BareSeconds(inbox, count);
            const double ours = ExplorerSeconds(session, count);
            const double bare = BareSeconds(inbox, count);
            std::printf("explorer: a folder of %d messages\n", count);
            std::printf("  ours  %8.3f s until the list shows them\n", ours);
            std::printf("  bare  %8.3f s reading the same rows from the store\n", bare);
            std::printf("  ratio %8.2f x bare\n", ours / bare);
            bench::PrintTimeRow("explorer: big folder listed until shown", "s", ours, bare);
            HrDispatchNotifications(0);
        }
        MAPIUninitialize();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_explorer: %s\n", e.what());
        result = 1;
    }
    return result;
}
