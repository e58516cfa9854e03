#include "Spooler.h"

#include "DropBatch.h"
#include "DropFolder.h"
#include "FolderPath.h"
#include "MapiError.h"
#include "SendBatch.h"
#include "SmtpRound.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

namespace pollenta::mapi {

namespace {

// The pause in submissions that starts a round, and the longest wait for it.
constexpr std::chrono::milliseconds kGatherPause(5);
constexpr std::chrono::milliseconds kGatherAtMost(50);

std::mutex g_spoolersLock;
std::map<std::string, std::weak_ptr<CSpooler>>& Spoolers()
{
    static std::map<std::string, std::weak_ptr<CSpooler>> spoolers;
    return spoolers;
}

}  // namespace

std::shared_ptr<CSpooler> CSpooler::ForProfile(const CProfile& profile)
{
    std::lock_guard lock(g_spoolersLock);
    if (auto existing = Spoolers()[profile.m_name].lock()) return existing;
    std::shared_ptr<CSpooler> spooler(new CSpooler(profile));
    Spoolers()[profile.m_name] = spooler;
    return spooler;
}

CSpooler::CSpooler(const CProfile& profile)
    : m_profile(profile.m_name),
      m_outgoing(profile.m_outgoing),
      m_dropFolder(profile.m_dropFolder),
      m_profileStores(profile.m_stores)
{
    if (const CProfile::Store* store = profile.DefaultStore()) m_dropStore = store->path;
    m_thread = std::thread([this] { Run(); });
}

CSpooler::~CSpooler()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_thread.join();
    m_dropWatch.reset();
}

void CSpooler::AddStore(const std::shared_ptr<CStoreFile>& store)
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_stores, [](const std::weak_ptr<CStoreFile>& s) { return s.expired(); });
    for (const auto& known : m_stores)
        if (known.lock() == store) return;
    m_stores.push_back(store);
    m_pending = true;
    m_wake.notify_all();
}

void CSpooler::Wake()
{
    std::lock_guard lock(m_mutex);
    m_pending = true;
    m_lastWake = std::chrono::steady_clock::now();
    // While the thread gathers, it looks at the time of the last wake-up
    // when its pause ends; waking it for each message would only cost
    // the submitter a switch of threads.
    if (!m_gathering) m_wake.notify_all();
}

std::vector<std::shared_ptr<CStoreFile>> CSpooler::Stores()
{
    std::lock_guard lock(m_mutex);
    std::vector<std::shared_ptr<CStoreFile>> stores;
    for (const auto& weak : m_stores)
        if (auto store = weak.lock()) stores.push_back(store);
    return stores;
}

void CSpooler::Run()
{
    if (!m_outgoing.empty()) RemoveAbandonedWrites(m_outgoing);
    std::unique_lock lock(m_mutex);
    bool deliveryFailed = false;
    for (;;) {
        // Another process may submit into a shared store or lift the hold,
        // so the queue is also looked at now and then without a wake-up.
        // Mail that could not be delivered is back in the drop folder, and
        // its return wakes the watch: it waits for that look rather than
        // failing again at once, round after round, while the store cannot
        // take it.
        m_wake.wait_for(lock, std::chrono::seconds(1), [&] { return m_stop || (m_pending && !deliveryFailed); });
        if (m_stop) return;
        GatherSubmissions(lock);
        if (m_stop) return;
        m_pending = false;
        lock.unlock();
        try {
            SendQueued(false);
            m_lastSendError.clear();
        } catch (const std::exception& e) {
            // The messages stay queued; the next round tries them again.
            ReportSendError(e.what());
        }
        WatchDropFolder();
        try {
            DeliverDropped();
            deliveryFailed = false;
        } catch (const std::exception&) {
            // The files stay where they are; the next round tries again.
            deliveryFailed = true;
        }
        lock.lock();
    }
}

// Messages submitted one after another go out in one round, and so in
// batches as large as the queue allows: the round starts once the
// submissions pause, or after a short while at the most. A submitter that
// flushes after each message sends its own meanwhile, without a hand-over
// to this thread.
void CSpooler::GatherSubmissions(std::unique_lock<std::mutex>& lock)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point latest = Clock::now() + kGatherAtMost;
    m_gathering = true;
    for (;;) {
        const Clock::time_point end = std::min(latest, m_lastWake + kGatherPause);
        if (m_stop || Clock::now() >= end) break;
        m_wake.wait_until(lock, end, [&] { return m_stop; });
    }
    m_gathering = false;
}

// A message that cannot leave says why once, not at every round.
void CSpooler::ReportSendError(const std::string& text)
{
    if (text == m_lastSendError) return;
    m_lastSendError = text;
    std::fprintf(stderr, "spooler of profile \"%s\": %s\n", m_profile.c_str(), text.c_str());
}

// Mail dropped by another process is taken as soon as it is there; the
// look every second stays for a folder that cannot be watched.
void CSpooler::WatchDropFolder()
{
    if (m_dropWatch && m_dropWatch->Watching()) return;
    m_dropWatch.reset();
    if (!m_dropFolder.empty()) m_dropWatch = CDropWatch::Start(m_dropFolder, [this] { Wake(); });
}

void CSpooler::Flush()
{
    SendQueued(true);
}

void CSpooler::DeliverDropped()
{
    if (m_dropFolder.empty() || m_dropStore.empty() || !std::filesystem::is_directory(m_dropFolder)) return;
    CDropFolder drop(m_dropFolder);
    drop.ReturnAbandoned();
    std::vector<std::filesystem::path> files = drop.Waiting();
    if (files.empty()) return;
    std::shared_ptr<CStoreFile> store = CStoreFile::Open(m_dropStore);
    LONGLONG inbox = store->SpecialFolder(CStoreFile::Role::Inbox);
    std::exception_ptr first;
    CDropBatch batch(drop);
    for (const auto& file : files) {
        // Other processes on the profile watch the same folder: the file is
        // delivered by whoever claims it first.
        std::optional<std::filesystem::path> claimed = drop.Claim(file);
        if (!claimed) continue;
        // One file that cannot be delivered now goes back for the next round
        // and does not hold back the files after it.
        try {
            std::ifstream in(*claimed, std::ios::binary);
            std::vector<BYTE> mime((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (!in.eof() && in.fail()) throw CMapiError(MAPI_E_DISK_ERROR, "Cannot read " + file.string());
            std::optional<CFolderPath::Found> target{{store, inbox}};
            if (std::optional<std::string> path = drop.TargetFolder(file)) target = CFolderPath::Find(m_profileStores, *path);
            if (!target) {
                drop.Refuse(*claimed);
                continue;
            }
            if (!batch.Accepts(*target)) batch.Deliver(first);
            batch.Add(*target, file, *claimed, std::move(mime));
        } catch (...) {
            drop.Return(*claimed);
            if (!first) first = std::current_exception();
            continue;
        }
        if (batch.IsFull()) batch.Deliver(first);
    }
    batch.Deliver(first);
    if (first) std::rethrow_exception(first);
}

void CSpooler::SendQueued(bool now)
{
    std::lock_guard sending(m_sending);
    std::vector<Queued> work;
    for (const auto& store : Stores())
        if (std::vector<LONGLONG> queued = store->Queue(); !queued.empty()) work.push_back({store, std::move(queued)});
    // The hold is looked at after the queue was read: a message submitted
    // once the hold was set is then always seen held, even when this round
    // began before the hold.
    if (work.empty() || (now ? CProfile::FlushHeld(m_profile) : CProfile::Held(m_profile))) return;
    // Read every round, so that an identity or account given meanwhile
    // holds for the mail waiting.
    CProfile profile = CProfile::Load(m_profile);
    CSenderStamp stamp(m_profile, profile.m_identity);
    if (profile.m_account.smtpUrl.empty()) WriteOutgoing(work, stamp);
    else SendThroughServer(work, profile.m_account, stamp, now);
}

void CSpooler::WriteOutgoing(const std::vector<Queued>& work, const CSenderStamp& stamp)
{
    std::exception_ptr first;
    for (const auto& [store, queued] : work) {
        for (std::size_t start = 0; start < queued.size();) {
            CSendBatch batch(*store, m_outgoing, stamp);
            try {
                start += batch.Send(std::span(queued).subspan(start));
            } catch (...) {
                // The transaction failed: this batch and the rest stay
                // queued for the next round.
                if (!first) first = std::current_exception();
                break;
            }
            if (!first) first = batch.Failure();
        }
    }
    if (first) std::rethrow_exception(first);
}

void CSpooler::SendThroughServer(const std::vector<Queued>& work, const MailAccount& account, const CSenderStamp& stamp,
                                 bool now)
{
    using Clock = std::chrono::steady_clock;
    if (!now && Clock::now() < m_retryAt) return;
    std::exception_ptr first;
    try {
        CSmtpClient smtp(account);
        smtp.Connect();
        for (const auto& [store, queued] : work) {
            CSmtpRound round(*store, stamp, smtp);
            round.Send(queued);
            if (!first) first = round.Failure();
        }
        m_retryDelay = {};
    } catch (const CMapiError& failure) {
        // The server or the account failed: the mail waits, and the server
        // is asked again after a pause that grows while it keeps failing.
        std::chrono::seconds longest(std::max<DWORD>(account.retryMaxSeconds, 1));
        m_retryDelay = m_retryDelay.count() == 0 ? std::chrono::seconds(1) : std::min(2 * m_retryDelay, longest);
        m_retryAt = Clock::now() + m_retryDelay;
        throw CMapiError(failure.Code(), std::string(failure.what()) + "; the mail waits in the Outbox, next try in " +
                                             std::to_string(m_retryDelay.count()) + " s");
    }
    if (first) std::rethrow_exception(first);
}

}  // namespace pollenta::mapi
