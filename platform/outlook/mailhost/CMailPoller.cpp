#include "CMailPoller.h"

#include "HostProfile.h"

#include "mapi/MapiAdmin.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace mailhost {

namespace {

// How soon a request of `mailhost fetch` is seen.
constexpr std::chrono::milliseconds kRequestLook(100);

}  // namespace

std::string FetchRequestFolder(const std::string& profile)
{
    return ProfileFolder(profile) + "/fetch-requests";
}

CMailPoller::CMailPoller(std::string profile) : m_profile(std::move(profile))
{
    m_thread = std::thread([this] { Run(); });
}

CMailPoller::~CMailPoller()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

std::string CMailPoller::FetchNow()
{
    std::size_t delivered = 0;
    if (FAILED(pollenta::mapi::FetchMail(m_profile, delivered))) {
        const std::string error = pollenta::mapi::AdminErrorText();
        std::fprintf(stderr, "mailhost: fetching mail failed: %s\n", error.c_str());
        return "1 " + error;
    }
    if (delivered > 0) {
        std::printf("mailhost: fetched %zu message%s\n", delivered, delivered == 1 ? "" : "s");
        std::fflush(stdout);
    }
    return "0 " + std::to_string(delivered);
}

void CMailPoller::AnswerRequests()
{
    std::error_code error;
    const std::filesystem::path folder = FetchRequestFolder(m_profile);
    if (!std::filesystem::is_directory(folder, error))
        return;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() != ".request")
            continue;
        // One fetch answers every request that waits now.
        const std::string answer = FetchNow();
        for (const auto& waiting : std::filesystem::directory_iterator(folder, error)) {
            if (waiting.path().extension() != ".request")
                continue;
            std::filesystem::path reply = waiting.path();
            reply.replace_extension(".answer");
            std::filesystem::path temporary = reply;
            temporary += ".tmp";
            std::ofstream(temporary) << answer;
            std::filesystem::rename(temporary, reply, error);
            std::filesystem::remove(waiting.path(), error);
        }
        return;
    }
}

void CMailPoller::Run()
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point nextPoll = Clock::now();
    std::unique_lock lock(m_mutex);
    while (!m_stop) {
        lock.unlock();
        AnswerRequests();
        if (Clock::now() >= nextPoll) {
            pollenta::mapi::MailAccount account;
            const bool hasMailbox =
                SUCCEEDED(pollenta::mapi::ProfileAccount(m_profile, account)) && !account.imapUrl.empty();
            if (hasMailbox)
                FetchNow();
            nextPoll = Clock::now() + std::chrono::seconds(hasMailbox ? account.pollSeconds : 5);
        }
        lock.lock();
        m_wake.wait_for(lock, kRequestLook, [this] { return m_stop; });
    }
}

}  // namespace mailhost
