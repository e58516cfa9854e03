// mailhost: the mail client stand-in. It runs the client's object model on
// a MAPI profile and loads the COM add-ins entered for the client, delivers
// mail into a profile and makes profiles.

#include "AccountCommand.h"
#include "CHostLock.h"
#include "ClientRegistration.h"
#include "DeliverMail.h"
#include "DropMail.h"
#include "FetchCommand.h"
#include "HostOptions.h"
#include "HostProfile.h"
#include "RunHost.h"

#include "outlook/EditorPreference.h"
#include "outlook/OutlookHost.h"
#include "outlookwindows/HostWindows.h"

#include "com/Activation.h"
#include "mapi/Mapi.h"
#include "mapi/MapiAdmin.h"
#include "win/Module.h"
#include "win/Version.h"

#include <cstdio>
#include <optional>

namespace {

enum ExitCode { kDone = 0, kFailed = 1, kUsage = 2 };

const VersionString kVersionStrings[] = {{"ProductName", "Mail Host"}, {"FileDescription", "Mail client stand-in"}};
// Lives in the program's own memory, so that the version functions find it
// by the program's path, as add-ins ask the client's file for its version.
std::optional<VersionResource> g_version;

int Fail(const std::string& what, HRESULT hr)
{
    std::fprintf(stderr, "mailhost: %s failed (0x%08X)\n", what.c_str(), static_cast<unsigned>(hr));
    return kFailed;
}

std::string ProgramPath()
{
    char path[4096] = {};
    const DWORD length = GetModuleFileName(nullptr, path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

// MAPI and COM for the life of one command on this (the UI) thread.
class CPlatform {
public:
    CPlatform()
    {
        MAPIINIT_0 init = {MAPI_INIT_VERSION, MAPI_MULTITHREAD_NOTIFICATIONS};
        m_mapi = SUCCEEDED(MAPIInitialize(&init));
        m_com = SUCCEEDED(CoInitialize(nullptr));
    }
    ~CPlatform()
    {
        if (m_com)
            CoUninitialize();
        if (m_mapi)
            MAPIUninitialize();
    }
    bool Ready() const { return m_mapi && m_com; }

private:
    bool m_mapi = false;
    bool m_com = false;
};

// Mail for a profile on which a host runs goes through the host, whatever
// its folder, so that its add-ins hear of it; -1 when no host runs there.
// This process must not log on first: its own session would watch the drop
// folder too and might take the mail past the host.
int DeliverThroughRunningHost(const mailhost::HostOptions& options)
{
    const std::string profile = mailhost::ProfileName(options.profile);
    if (profile.empty() || !mailhost::CHostLock::IsHeld(profile))
        return -1;
    const std::string drop = mailhost::ProfileDropFolder(profile);
    return drop.empty() ? -1 : mailhost::DropMail(drop, options.words, options.folder);
}

int Run(const mailhost::HostOptions& options, const std::string& version)
{
    if (options.command == "deliver")
        if (const int result = DeliverThroughRunningHost(options); result >= 0)
            return result;
    CComPtr<IMAPISession> session;
    std::string profile;
    if (HRESULT hr = mailhost::LogOn(options.profile, session, profile); FAILED(hr))
        return Fail("logging on", hr);
    const mailhost::ProfileUser user = mailhost::ReadProfileUser(profile);
    std::unique_ptr<pollenta::outlook::OutlookHost> host;
    if (HRESULT hr = pollenta::outlook::OutlookHost::Create(session, {version, user.name, user.address}, host);
        FAILED(hr))
        return Fail("starting the object model", hr);
    if (options.command == "deliver")
        return mailhost::DeliverMail(host->Application(), options.folder, options.words);
    const mailhost::CHostLock running(profile);
    mailhost::RegisterClientClass(ProgramPath());
    pollenta::outlook::EnsureEditorPreference(version);
    pollenta::mapi::MailAccount account;
    pollenta::mapi::ProfileAccount(profile, account);
    const std::string sentTo =
        account.smtpUrl.empty() ? mailhost::ProfileFolder(profile) + "/outgoing" : account.smtpUrl;
    std::printf("mailhost %s on profile \"%s\" (sent mail goes to %s)\n", version.c_str(), profile.c_str(),
                sentTo.c_str());
    mailhost::RunHost(*host, !options.headless && pollenta::outlook::HasDisplay(), profile);
    host.reset();
    session->Logoff(0, 0, 0);
    return kDone;
}

}  // namespace

int main(int argc, char** argv)
{
    mailhost::HostOptions options;
    std::string error;
    if (!mailhost::ParseHostOptions({argv + 1, argv + argc}, options, error)) {
        std::fprintf(stderr, "mailhost: %s\n%s", error.c_str(), mailhost::kUsage);
        return kUsage;
    }
    const std::string version =
        options.clientVersion.empty() ? pollenta::outlook::kDefaultClientVersion : options.clientVersion;
    DWORD high = 0, low = 0;
    if (!mailhost::ParseClientVersion(version, high, low)) {
        std::fprintf(stderr, "mailhost: %s is no version\n", version.c_str());
        return kUsage;
    }
    g_version.emplace(high, low, "040904B0", kVersionStrings);
    mailhost::BlockStopSignals();
    CPlatform platform;
    if (!platform.Ready())
        return Fail("starting MAPI and COM", E_FAIL);
    if (options.command == "account")
        return mailhost::AccountCommand(options);
    if (options.command == "fetch") {
        const std::string profile = mailhost::ProfileName(options.profile);
        if (!profile.empty() && mailhost::CHostLock::IsHeld(profile))
            return mailhost::FetchThroughRunningHost(profile);
        return mailhost::FetchHere(profile);
    }
    if (options.command == "create-profile") {
        const std::string& name = options.words.front();
        if (HRESULT hr = mailhost::CreateHostProfile(name, {options.userName, options.address}, false); FAILED(hr))
            return Fail("creating the profile " + name, hr);
        std::printf("profile %s in %s\n", name.c_str(), mailhost::ProfileFolder(name).c_str());
        return kDone;
    }
    return Run(options, version);
}
