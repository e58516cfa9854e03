#pragma once
// The spooler of a profile: on its own thread it takes the messages queued
// for sending in the profile's stores, hands each to the SMTP server of the
// profile's account, or without one writes it as an .eml file into the
// profile's outgoing folder, and moves it to Sent Items. While the profile's
// hold switch is on, messages wait in the Outbox until Flush. On the same
// thread, .eml files in the profile's drop folder are delivered into the
// Inbox of its default store, or into the folder named beside them, as soon
// as they appear.

#include "DropWatch.h"
#include "Profile.h"
#include "SenderStamp.h"
#include "StoreFile.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace pollenta::mapi {

class CSpooler {
public:
    static std::shared_ptr<CSpooler> ForProfile(const CProfile& profile);
    ~CSpooler();
    CSpooler(const CSpooler&) = delete;
    CSpooler& operator=(const CSpooler&) = delete;

    void AddStore(const std::shared_ptr<CStoreFile>& store);
    void Wake();
    // Sends everything queued now, hold or not; the first failure is thrown
    // after the rest have been tried.
    void Flush();
    // Delivers the mail waiting in the drop folder now; the first failure is
    // thrown after the rest have been tried.
    void DeliverDropped();

private:
    explicit CSpooler(const CProfile& profile);
    void Run();
    std::vector<std::shared_ptr<CStoreFile>> Stores();
    // `now`: a flush, which does not wait for the pause after a failure of
    // the server.
    void SendQueued(bool now);
    // The messages of one store waiting in its queue.
    struct Queued {
        std::shared_ptr<CStoreFile> store;
        std::vector<LONGLONG> ids;
    };
    void WriteOutgoing(const std::vector<Queued>& work, const CSenderStamp& stamp);
    void SendThroughServer(const std::vector<Queued>& work, const MailAccount& account, const CSenderStamp& stamp,
                           bool now);
    void GatherSubmissions(std::unique_lock<std::mutex>& lock);
    void ReportSendError(const std::string& text);
    void WatchDropFolder();

    std::string m_profile;
    std::string m_outgoing;
    std::string m_dropFolder;
    std::string m_dropStore;  // the default store's file
    std::vector<CProfile::Store> m_profileStores;
    std::mutex m_mutex;
    std::mutex m_sending;  // one sender at a time: the thread or a Flush
    std::chrono::seconds m_retryDelay{0};  // the last pause after a failure of the server
    std::chrono::steady_clock::time_point m_retryAt;
    std::condition_variable m_wake;
    std::vector<std::weak_ptr<CStoreFile>> m_stores;
    std::string m_lastSendError;  // used on m_thread only
    bool m_pending = false;
    bool m_gathering = false;  // the thread waits for submissions to pause
    std::chrono::steady_clock::time_point m_lastWake;
    bool m_stop = false;
    std::thread m_thread;
    std::unique_ptr<CDropWatch> m_dropWatch;  // made and dropped on m_thread
};

}  // namespace pollenta::mapi
