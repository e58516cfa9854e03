// Personal sending of one draft to N recipients (default 5000), pause 0,
// no progress window, against writing N .eml files of the same size the
// way the spooler writes them (beside the final name, then renamed, not
// synced). Each method runs R times (default 3), each run followed by its
// bare writes, so both meet the file system in the same state; the medians
// are compared, since creating files on a busy disk varies a lot. A
// METHOD ("sending" or "sending3") runs that method alone.
//
//     build/bin/bench_sending [N] [R] [METHOD]

#include "bench/BenchRow.h"
#include "OutlookStandIn.h"
#include "classes/TMMailItem.h"
#include "lang/CWELanguages.h"

#include "com/ComBstr.h"
#include "mapi/MapiAdmin.h"
#include "testsupport/TempFolder.h"
#include "testsupport/TempRegistry.h"

#include "ui/Window.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

CComPtr<IMAPIFolder> Folder(IMsgStore* store, ULONG tag)
{
    return standin::OpenFolder(store, tag);
}

// A resolved To entry: the second method keys its copies by the address.
void AddTo(IMessage* draft, const std::string& entryId, const std::string& address)
{
    SPropValue props[4] = {};
    props[0].ulPropTag = PR_ENTRYID;
    props[0].Value.bin = {static_cast<ULONG>(entryId.size()), reinterpret_cast<LPBYTE>(const_cast<char*>(entryId.data()))};
    props[1].ulPropTag = PR_RECIPIENT_TYPE;
    props[1].Value.l = MAPI_TO;
    props[2].ulPropTag = PR_EMAIL_ADDRESS_A;
    props[2].Value.lpszA = const_cast<char*>(address.c_str());
    props[3].ulPropTag = PR_ADDRTYPE_A;
    props[3].Value.lpszA = const_cast<char*>("SMTP");
    SizedADRLIST(1, list) = {1, {{0, 4, props}}};
    draft->ModifyRecipients(MODRECIP_ADD, reinterpret_cast<LPADRLIST>(&list));
}

std::uintmax_t SentBytes(const std::string& folder, int& files)
{
    std::uintmax_t bytes = 0;
    files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        bytes += entry.file_size();
        ++files;
    }
    return bytes;
}

double BareWrites(const std::string& folder, int count, std::size_t size)
{
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string bytes(size, 'x');
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        const std::string path = folder + "/" + std::to_string(i) + ".eml";
        {
            std::ofstream out(path + ".tmp", std::ios::binary | std::ios::trunc);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
        std::filesystem::rename(path + ".tmp", path);
    }
    return Seconds(start);
}

// The second method leaves its copies to the spooler's thread: what it has
// not written yet goes out now, so the time covers every file.
void FlushSpooler(IMAPISession* session)
{
    SizedSPropTagArray(2, columns) = {2, {PR_RESOURCE_TYPE, PR_ENTRYID}};
    CComPtr<IMAPITable> table;
    LPSRowSet rows = nullptr;
    if (FAILED(session->GetStatusTable(0, &table)) ||
        FAILED(HrQueryAllRows(table, reinterpret_cast<LPSPropTagArray>(&columns), nullptr, nullptr, 0, &rows)))
        return;
    for (ULONG i = 0; i < rows->cRows; ++i) {
        const SPropValue* props = rows->aRow[i].lpProps;
        ULONG type = 0;
        CComPtr<IUnknown> object;
        if (props[0].ulPropTag != PR_RESOURCE_TYPE || props[0].Value.l != static_cast<LONG>(MAPI_SPOOLER) ||
            FAILED(session->OpenEntry(props[1].Value.bin.cb, reinterpret_cast<LPENTRYID>(props[1].Value.bin.lpb),
                                      nullptr, 0, &type, &object)))
            continue;
        if (CComQIPtr<IMAPIStatus> spooler(object.p); spooler)
            spooler->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD);
    }
    FreeProws(rows);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs `send` (one sending of `count` copies into the emptied `outgoing`
// folder) `runs` times, each followed by the same number of bare writes of
// the same size, and prints the medians. False when a run did not send
// every copy.
bool Measure(const char* name, int count, int runs, const std::string& outgoing, const std::string& bare,
             const std::function<HRESULT()>& send)
{
    std::vector<double> ours;
    std::vector<double> bares;
    std::uintmax_t size = 0;
    for (int run = 0; run < runs; ++run) {
        std::filesystem::remove_all(outgoing);
        std::filesystem::create_directories(outgoing);
        const auto start = Clock::now();
        const HRESULT hr = send();
        ours.push_back(Seconds(start));
        int files = 0;
        const std::uintmax_t bytes = SentBytes(outgoing, files);
        if (FAILED(hr) || files != count) {
            std::fprintf(stderr, "%s: run gave 0x%08X with %d of %d files\n", name, static_cast<unsigned>(hr), files,
                         count);
            return false;
        }
        size = bytes / files;
        bares.push_back(BareWrites(bare, count, static_cast<std::size_t>(size)));
    }
    const double oursMedian = Median(ours);
    const double bareMedian = Median(bares);
    std::printf("%s: %d copies of %ju bytes, median of %d runs\n", name, count, size, runs);
    std::printf("ours:  %.1f copies/s (%.2f s)\n", count / oursMedian, oursMedian);
    std::printf("bare:  %.1f files/s (%.2f s)\n", count / bareMedian, bareMedian);
    std::printf("ratio: %.1f\n", oursMedian / bareMedian);
    bench::PrintRateRow(name, "copies/s", count / oursMedian, count / bareMedian);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const std::string only = argc > 3 ? argv[3] : "";
    pollenta::testsupport::TempFolder folder("pollenta-bench-sending");
    pollenta::testsupport::TempRegistry registry(folder.Path() / "registry");
    const std::string dir = folder.Path().string();
    const std::string book = dir + "/book.db";
    const std::string outgoing = dir + "/outgoing";

    MAPIINIT_0 init = {MAPI_INIT_VERSION, 0};
    MAPIInitialize(&init);
    Languages().SelectLanguage(dir, "English");
    std::string storeId;
    CComPtr<IMAPISession> session;
    if (FAILED(pollenta::mapi::CreateProfile("Bench", book, outgoing, true)) ||
        FAILED(pollenta::mapi::CreateStore("Bench", dir + "/main.store", "Main", true, &storeId)) ||
        FAILED(pollenta::mapi::SetProfileIdentity("Bench", "Bench Sender", "bench@example.org")) ||
        FAILED(MAPILogonEx(0, nullptr, nullptr, MAPI_EXTENDED, &session))) {
        std::fprintf(stderr, "sending: no MAPI profile could be made\n");
        return 1;
    }
    CComPtr<IMsgStore> store;
    session->OpenMsgStore(0, static_cast<ULONG>(storeId.size()),
                          reinterpret_cast<LPENTRYID>(storeId.data()), &IID_IMsgStore, MAPI_BEST_ACCESS, &store);
    CComPtr<IMAPIFolder> drafts = Folder(store, PR_IPM_DRAFTS_ENTRYID);
    CComPtr<IMessage> draft;
    drafts->CreateMessage(&IID_IMessage, 0, &draft);
    SPropValue subject{};
    subject.ulPropTag = PR_SUBJECT_A;
    subject.Value.lpszA = const_cast<char*>("Survey for %%RECIPIENT%%");
    HrSetOneProp(draft, &subject);
    std::string html = "<HTML><BODY><P>Dear %%RECIPIENT%%,</P>";
    for (int i = 0; i < 40; ++i)
        html += "<P>Question " + std::to_string(i) + ": <INPUT NAME=q" + std::to_string(i) + "></P>";
    html += "<INPUT TYPE=hidden NAME=RecipientEmail VALUE=\"%%RECIPIENT%%\"></BODY></HTML>";
    SPropValue body{};
    body.ulPropTag = PR_HTML;
    body.Value.bin = {static_cast<ULONG>(html.size()), reinterpret_cast<LPBYTE>(html.data())};
    HrSetOneProp(draft, &body);
    for (int i = 0; i < count; ++i) {
        const std::string address = "user" + std::to_string(i) + "@example.com";
        AddTo(draft, pollenta::mapi::AddMailUser(book, "User " + std::to_string(i), address, {}), address);
    }
    draft->SaveChanges(KEEP_OPEN_READWRITE);

    CComPtr<IDispatch> application;
    standin::Application::CreateInstance(IID_IDispatch, reinterpret_cast<void**>(&application), session.p, store.p);
    CComPtr<ITMMailItem3> item;
    TMMailItem::CreateInstance(IID_ITMMailItem3, reinterpret_cast<void**>(&item));
    CComVariant code(static_cast<LONG>(0));
    item->AddMacros(CComBSTR("%RECIPIENT%"), code, VARIANT_TRUE);

    const bool sent =
        (only == "sending3" || Measure("sending: Solvenda", count, runs, outgoing, dir + "/bare", [&] {
             item->putref_Item(standin::MailItem::Make(application, drafts, draft));
             return item->Solvenda(0, VARIANT_FALSE, CComBSTR(""), CComBSTR(""));
         })) &&
        // The second method with the same draft.
        (only == "sending" || Measure("sending: Solvenda3", count, runs, outgoing, dir + "/bare", [&] {
            item->putref_Item(standin::MailItem::Make(application, drafts, draft));
            const HRESULT hr = item->Solvenda3(0, VARIANT_FALSE, CComBSTR(""), CComBSTR(""));
            PumpWaitingMessages();
            FlushSpooler(session);
            return hr;
        }));
    if (!sent)
        return 1;
    item.Release();
    store.Release();
    session.Release();
    MAPIUninitialize();
    return 0;
}
