// Sends N held messages of a profile with one FlushQueues and prints the rate
// beside the bare rate of writing the same .eml bytes the way the spooler
// writes them (a temporary file renamed into place, no fsync, as the spooler
// does), in the same run and the same file system.
//
//     bench_spool [N [FOLDER]]     (default 5000 messages, under /tmp)

#include "bench/BenchRow.h"
#include "com/ComPtr.h"
#include "mapi/Mapi.h"
#include "mapi/MapiAdmin.h"
#include "mapi/MapiUtil.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

void Check(HRESULT hr, const char* what)
{
    if (FAILED(hr)) {
        char text[160];
        std::snprintf(text, sizeof text, "%s failed: 0x%08x", what, static_cast<unsigned>(hr));
        throw std::runtime_error(text);
    }
}

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::string EntryId(IMAPIProp* object, ULONG tag)
{
    LPSPropValue value = nullptr;
    Check(HrGetOneProp(object, tag, &value), "HrGetOneProp");
    std::string bytes(reinterpret_cast<const char*>(value->Value.bin.lpb), value->Value.bin.cb);
    MAPIFreeBuffer(value);
    return bytes;
}

LPENTRYID Eid(std::string& bytes) { return reinterpret_cast<LPENTRYID>(bytes.data()); }

// `text` ends in a null, as literals and std::string do.
SPropValue Text(ULONG tag, std::string_view text)
{
    SPropValue value{};
    value.ulPropTag = tag;
    value.Value.lpszA = const_cast<char*>(text.data());
    return value;
}

SPropValue Long(ULONG tag, LONG number)
{
    SPropValue value{};
    value.ulPropTag = tag;
    value.Value.l = number;
    return value;
}

// A survey copy of the usual size: a subject, a plain and an HTML body and
// one recipient.
void Submit(IMAPIFolder* outbox, int number)
{
    static const std::string body = [] {
        std::string text;
        for (int line = 0; line < 20; ++line) text += "Please answer the questions of this survey by replying.\r\n";
        return text;
    }();
    static const std::string html = [] {
        std::string page = "<html><body><form method=\"post\" action=\"mailto:survey@example.com\">";
        for (int field = 0; field < 40; ++field)
            page += "<p>Question " + std::to_string(field) + " <input type=\"text\" name=\"Q" + std::to_string(field) + "\"></p>";
        return page + "</form></body></html>";
    }();
    CComPtr<IMessage> message;
    Check(outbox->CreateMessage(nullptr, 0, &message), "CreateMessage");
    std::string subject = "Survey copy " + std::to_string(number);
    std::string address = "person" + std::to_string(number) + "@example.com";
    SPropValue props[] = {Text(PR_SUBJECT_A, subject), Text(PR_BODY_A, body), Text(PR_BODY_HTML_A, html)};
    Check(message->SetProps(3, props, nullptr), "SetProps");
    SPropValue recipient[] = {Text(PR_DISPLAY_NAME_A, "Survey Person"), Text(PR_EMAIL_ADDRESS_A, address),
                              Text(PR_ADDRTYPE_A, "SMTP"), Long(PR_RECIPIENT_TYPE, MAPI_TO)};
    ADRLIST list{};
    list.cEntries = 1;
    list.aEntries[0].cValues = 4;
    list.aEntries[0].rgPropVals = recipient;
    Check(message->ModifyRecipients(MODRECIP_ADD, &list), "ModifyRecipients");
    Check(message->SubmitMessage(0), "SubmitMessage");
}

CComPtr<IMAPIStatus> Spooler(IMAPISession* session)
{
    CComPtr<IMAPITable> table;
    Check(session->GetStatusTable(0, &table), "GetStatusTable");
    LPSRowSet rows = nullptr;
    Check(HrQueryAllRows(table, nullptr, nullptr, nullptr, 0, &rows), "HrQueryAllRows");
    std::string eid(reinterpret_cast<const char*>(rows->aRow[0].lpProps[0].Value.bin.lpb),
                    rows->aRow[0].lpProps[0].Value.bin.cb);
    FreeProws(rows);
    ULONG type = 0;
    CComPtr<IUnknown> object;
    Check(session->OpenEntry(static_cast<ULONG>(eid.size()), Eid(eid), nullptr, 0, &type, &object), "OpenEntry");
    return CComQIPtr<IMAPIStatus>(object.p);
}

std::vector<std::filesystem::path> Files(const std::string& folder)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".eml") files.push_back(entry.path());
    return files;
}

std::string Read(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the spooler's transport does for each file, and nothing else.
void WriteBare(const std::filesystem::path& path, const std::string& data)
{
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        out.flush();
        if (!out) throw std::runtime_error("Cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, path);
}

double SpoolSeconds(const std::string& dir, int count)
{
    Check(pollenta::mapi::CreateProfile("Bench", dir + "/book.db", dir + "/outgoing", true), "CreateProfile");
    std::string storeId;
    Check(pollenta::mapi::CreateStore("Bench", dir + "/bench.store", "Bench", true, &storeId), "CreateStore");
    Check(pollenta::mapi::SetProfileIdentity("Bench", "Bench Sender", "bench@example.org"), "SetProfileIdentity");
    Check(pollenta::mapi::SetSpoolerHold("Bench", true), "SetSpoolerHold");
    CComPtr<IMAPISession> session;
    Check(MAPILogonEx(0, nullptr, nullptr, MAPI_EXTENDED, &session), "MAPILogonEx");
    CComPtr<IMsgStore> store;
    Check(session->OpenMsgStore(0, static_cast<ULONG>(storeId.size()), Eid(storeId), nullptr, MAPI_BEST_ACCESS, &store),
          "OpenMsgStore");
    std::string outboxId = EntryId(store, PR_IPM_OUTBOX_ENTRYID);
    ULONG type = 0;
    CComPtr<IUnknown> object;
    Check(store->OpenEntry(static_cast<ULONG>(outboxId.size()), Eid(outboxId), nullptr, MAPI_BEST_ACCESS, &type, &object),
          "OpenEntry");
    CComQIPtr<IMAPIFolder> outbox(object.p);
    for (int i = 0; i < count; ++i) Submit(outbox, i);

    CComPtr<IMAPIStatus> spooler = Spooler(session);
    sync();  // what the submissions left to write back is not counted
    Clock::time_point start = Clock::now();
    Check(spooler->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD), "FlushQueues");
    double seconds = Seconds(start);
    HrDispatchNotifications(0);
    return seconds;
}

// Into the same folder as the spooler's files, so that both meet the same
// directory and the same free inodes.
double BareSeconds(const std::string& dir)
{
    std::filesystem::path folder = dir + "/outgoing";
    std::vector<std::pair<std::filesystem::path, std::string>> files;
    for (const auto& path : Files(folder)) files.emplace_back(folder / ("bare-" + path.filename().string()), Read(path));
    sync();
    Clock::time_point start = Clock::now();
    for (const auto& [path, data] : files) WriteBare(path, data);
    return Seconds(start);
}

}  // namespace

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 5000;
    if (count <= 0 || argc > 3) {
        std::fprintf(stderr, "usage: bench_spool [N [FOLDER]]\n");
        return 2;
    }
    std::string pattern = std::string(argc > 2 ? argv[2] : "/tmp") + "/bench-spool-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    std::string dir = pattern;
    setenv("POLLENTA_REGISTRY", (dir + "/registry").c_str(), 1);
    std::filesystem::create_directories(dir + "/registry");
    int result = 0;
    try {
        MAPIINIT_0 init = {MAPI_INIT_VERSION, 0};
        Check(MAPIInitialize(&init), "MAPIInitialize");
        double ours = SpoolSeconds(dir, count);
        std::size_t sent = Files(dir + "/outgoing").size();
        MAPIUninitialize();
        if (sent != static_cast<std::size_t>(count))
            throw std::runtime_error("sent " + std::to_string(sent) + " files of " + std::to_string(count));
        double bare = BareSeconds(dir);
        std::printf("spool: %d messages\n", count);
        std::printf("  ours  %8.0f files/s (%.3f s)\n", count / ours, ours);
        std::printf("  bare  %8.0f files/s (%.3f s)\n", count / bare, bare);
        std::printf("  ratio %8.2f x bare\n", ours / bare);
        bench::PrintRateRow("spool: messages to .eml files", "files/s", count / ours, count / bare);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_spool: %s\n", e.what());
        result = 1;
    }
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    return result;
}
