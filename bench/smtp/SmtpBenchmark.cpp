// Sends N held messages of a profile whose account points at a loopback SMTP
// server (aiosmtpd with STARTTLS and AUTH) with one FlushQueues, and prints
// the rate beside that of a bare client (Python's smtplib) sending the same
// messages to the same server over one connection, in the same run.
//
//     bench_smtp [N]     (default 2000 messages)

#include "bench/BenchRow.h"
#include "com/ComPtr.h"
#include "mapi/Mapi.h"
#include "mapi/MapiAdmin.h"
#include "mapi/MapiUtil.h"
#include "testsupport/MailServers.h"
#include "testsupport/TempFolder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
using pollenta::testsupport::ChildProcess;
using pollenta::testsupport::SmtpTestServer;
using pollenta::testsupport::TestCertificate;

constexpr const char* kUser = "bench";
constexpr const char* kPassword = "bench password";

void Check(HRESULT hr, const char* what)
{
    if (FAILED(hr)) {
        char text[160];
        std::snprintf(text, sizeof text, "%s failed: 0x%08x", what, static_cast<unsigned>(hr));
        throw std::runtime_error(text);
    }
}

LPENTRYID Eid(const std::string& bytes) { return reinterpret_cast<LPENTRYID>(const_cast<char*>(bytes.data())); }

CComPtr<IMAPIFolder> Outbox(IMsgStore* store)
{
    LPSPropValue value = nullptr;
    Check(HrGetOneProp(store, PR_IPM_OUTBOX_ENTRYID, &value), "HrGetOneProp");
    std::string id(reinterpret_cast<const char*>(value->Value.bin.lpb), value->Value.bin.cb);
    MAPIFreeBuffer(value);
    ULONG type = 0;
    CComPtr<IUnknown> object;
    Check(store->OpenEntry(static_cast<ULONG>(id.size()), Eid(id), nullptr, MAPI_BEST_ACCESS, &type, &object), "OpenEntry");
    return CComQIPtr<IMAPIFolder>(object.p);
}

// A copy of a survey as "Send survey" leaves it: one reader, a page of HTML.
void Submit(IMAPIFolder* outbox, int number)
{
    CComPtr<IMessage> message;
    Check(outbox->CreateMessage(nullptr, 0, &message), "CreateMessage");
    std::string reader = "reader" + std::to_string(number) + "@example.com";
    std::string html = "<HTML><BODY><FORM ACTION=\"mailto:survey@example.org\" METHOD=POST>"
                       "<INPUT TYPE=hidden NAME=Email VALUE=\"" + reader + "\">" +
                       std::string(2000, 'x') + "</FORM></BODY></HTML>";
    SPropValue props[2] = {};
    props[0].ulPropTag = PR_SUBJECT_A;
    props[0].Value.lpszA = const_cast<char*>("Course survey");
    props[1].ulPropTag = PR_HTML;
    props[1].Value.bin = {static_cast<ULONG>(html.size()), reinterpret_cast<LPBYTE>(html.data())};
    Check(message->SetProps(2, props, nullptr), "SetProps");
    Check(pollenta::mapi::WriteSmtpRecipient(message, MODRECIP_ADD, 0, "Reader", reader, MAPI_TO), "WriteSmtpRecipient");
    Check(message->SubmitMessage(FORCE_SUBMIT), "SubmitMessage");
}

CComPtr<IMAPIStatus> Spooler(IMAPISession* session)
{
    CComPtr<IMAPITable> table;
    Check(session->GetStatusTable(0, &table), "GetStatusTable");
    LPSRowSet rows = nullptr;
    Check(HrQueryAllRows(table, nullptr, nullptr, nullptr, 0, &rows), "HrQueryAllRows");
    std::string eid(reinterpret_cast<const char*>(rows->aRow[0].lpProps[0].Value.bin.lpb), rows->aRow[0].lpProps[0].Value.bin.cb);
    FreeProws(rows);
    ULONG type = 0;
    CComPtr<IUnknown> object;
    Check(session->OpenEntry(static_cast<ULONG>(eid.size()), Eid(eid), nullptr, 0, &type, &object), "OpenEntry");
    return CComQIPtr<IMAPIStatus>(object.p);
}

double OursSeconds(const std::string& dir, const SmtpTestServer& server, const TestCertificate& certificate, int count)
{
    Check(pollenta::mapi::CreateProfile("Bench", dir + "/book.db", dir + "/outgoing", true), "CreateProfile");
    std::string storeId;
    Check(pollenta::mapi::CreateStore("Bench", dir + "/bench.store", "Bench", true, &storeId), "CreateStore");
    Check(pollenta::mapi::SetProfileIdentity("Bench", "Bench Sender", "bench@example.org"), "SetProfileIdentity");
    std::ofstream(dir + "/password") << kPassword;
    pollenta::mapi::MailAccount account;
    account.smtpUrl = server.Url();
    account.user = kUser;
    account.passwordFile = dir + "/password";
    account.caFile = certificate.Ca().string();
    Check(pollenta::mapi::SetProfileAccount("Bench", account), "SetProfileAccount");
    Check(pollenta::mapi::SetSpoolerHold("Bench", true), "SetSpoolerHold");
    CComPtr<IMAPISession> session;
    Check(MAPILogonEx(0, nullptr, nullptr, MAPI_EXTENDED, &session), "MAPILogonEx");
    CComPtr<IMsgStore> store;
    Check(session->OpenMsgStore(0, static_cast<ULONG>(storeId.size()), Eid(storeId), nullptr, MAPI_BEST_ACCESS, &store),
          "OpenMsgStore");
    CComPtr<IMAPIFolder> outbox = Outbox(store);
    for (int i = 0; i < count; ++i) Submit(outbox, i);
    CComPtr<IMAPIStatus> spooler = Spooler(session);
    Clock::time_point start = Clock::now();
    Check(spooler->FlushQueues(0, 0, nullptr, FLUSH_UPLOAD), "FlushQueues");
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    HrDispatchNotifications(0);
    return seconds;
}

double BareSeconds(const std::string& folder, const SmtpTestServer& server, const TestCertificate& certificate, int count)
{
    ChildProcess client({"/usr/bin/python3", POLLENTA_BENCH_SMTP_DIR "/bare_smtp_client.py", "127.0.0.1",
                         std::to_string(server.Port()), certificate.Ca().string(), kUser, kPassword, folder});
    std::istringstream line(client.ReadLine());
    int sent = 0;
    double seconds = 0;
    if (!(line >> sent >> seconds) || sent != count) throw std::runtime_error("the bare client did not send them all");
    return seconds;
}

}  // namespace

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 2000;
    if (count <= 0 || argc > 2) {
        std::fprintf(stderr, "usage: bench_smtp [N]\n");
        return 2;
    }
    int result = 0;
    try {
        pollenta::testsupport::TempFolder folder("bench-smtp");
        const std::string dir = folder.Path().string();
        setenv("POLLENTA_REGISTRY", (dir + "/registry").c_str(), 1);
        std::filesystem::create_directories(dir + "/registry");
        TestCertificate certificate(folder.Path() / "tls");
        SmtpTestServer ourServer(folder.Path() / "ours", certificate, kUser, kPassword);
        MAPIINIT_0 init = {MAPI_INIT_VERSION, 0};
        Check(MAPIInitialize(&init), "MAPIInitialize");
        double ours = OursSeconds(dir, ourServer, certificate, count);
        MAPIUninitialize();
        if (ourServer.Received().size() != static_cast<std::size_t>(count))
            throw std::runtime_error("the server received " + std::to_string(ourServer.Received().size()) + " of " +
                                     std::to_string(count));
        // The bare client sends what our server received, to a server of its own.
        SmtpTestServer bareServer(folder.Path() / "bare", certificate, kUser, kPassword);
        double bare = BareSeconds((folder.Path() / "ours").string(), bareServer, certificate, count);
        std::printf("smtp: %d messages over one connection\n", count);
        std::printf("  ours  %8.0f messages/s (%.3f s)\n", count / ours, ours);
        std::printf("  bare  %8.0f messages/s (%.3f s)\n", count / bare, bare);
        std::printf("  ratio %8.2f x bare\n", ours / bare);
        bench::PrintRateRow("smtp: survey copies to a loopback server", "copies/s", count / ours, count / bare);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_smtp: %s\n", e.what());
        result = 1;
    }
    return result;
}
