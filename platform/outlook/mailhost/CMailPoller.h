#pragma once
// The running host's side of incoming mail from the account's IMAP mailbox:
// on its own thread it fetches at start, every poll interval of the account
// and whenever `mailhost fetch` asks, by a request file in the profile's
// fetch-requests folder, answered by a file beside it.
//
//     CMailPoller poller(profile);   // fetching until it goes

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace mailhost {

// Where `mailhost fetch` leaves its requests for the running host.
std::string FetchRequestFolder(const std::string& profile);

class CMailPoller {
public:
    explicit CMailPoller(std::string profile);
    ~CMailPoller();
    CMailPoller(const CMailPoller&) = delete;
    CMailPoller& operator=(const CMailPoller&) = delete;

private:
    void Run();
    // "0 N" for N messages fetched, "1 reason" for a failure.
    std::string FetchNow();
    void AnswerRequests();

    std::string m_profile;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};

}  // namespace mailhost
