#include "SendBatch.h"

#include "FileTime.h"
#include "JobPool.h"
#include "MapiError.h"
#include "MimeBridge.h"
#include "SentItems.h"
#include "SqlTransaction.h"
#include "mapi/Mime.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <thread>

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace pollenta::mapi {

namespace {

// A batch ends at this many messages or this much loaded content, whichever
// comes first.
constexpr std::size_t kMessages = 100;
constexpr std::size_t kBytes = 32 << 20;
// Composing MIME costs more than writing the file; two threads do it at
// once, starting on the first messages while the spooler's thread still
// loads the next ones. More would only wait for each other: the kernel
// makes the files of one folder one at a time.
constexpr unsigned kWriters = 2;

std::size_t ContentBytes(const CMessageContent& content)
{
    auto size = content.m_props.find(PROP_ID(PR_MESSAGE_SIZE));
    return size == content.m_props.end() ? 0 : static_cast<std::size_t>(size->second.Int());
}

// Threads besides the spooler's own, which joins them once it has loaded
// the batch.
unsigned WriterHelpers(std::size_t messages)
{
    // Asked once: the answer is read from a file of the kernel's each time.
    static const unsigned processors = std::max(1u, std::thread::hardware_concurrency());
    std::size_t threads = std::min<std::size_t>({messages, kWriters, processors});
    return static_cast<unsigned>(std::max<std::size_t>(threads, 1) - 1);
}

// Written beside its final name, which it takes only once the message is
// found still queued, so that whoever watches the folder never sees half a
// message, nor one that was taken back meanwhile.
// A spooler of another process may write the same message meanwhile, under
// a name of the same tick; each writes its own temporary file.
std::filesystem::path Temporary(const std::filesystem::path& path)
{
    std::filesystem::path temporary = path;
    temporary += "." + std::to_string(getpid()) + ".tmp";
    return temporary;
}

void WriteBeside(const std::filesystem::path& path, const std::vector<BYTE>& data)
{
    std::filesystem::path temporary = Temporary(path);
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    out.flush();
    if (!out) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw CMapiError(MAPI_E_DISK_ERROR, "Cannot write " + temporary.string());
    }
}

}  // namespace

void RemoveAbandonedWrites(const std::filesystem::path& outgoing)
{
    std::error_code error;
    for (auto it = std::filesystem::directory_iterator(outgoing, error); !error && it != std::filesystem::directory_iterator();
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!name.ends_with(".tmp")) continue;
        const std::string written = name.substr(0, name.size() - 4);
        const std::size_t dot = written.rfind('.');
        const std::string pid = dot == std::string::npos ? std::string() : written.substr(dot + 1);
        if (pid.empty() || pid.size() > 9 || pid.find_first_not_of("0123456789") != std::string::npos) continue;
        // Only a process that is gone leaves its file for good.
        if (kill(static_cast<pid_t>(std::stol(pid)), 0) == 0 || errno != ESRCH) continue;
        std::error_code ignored;
        std::filesystem::remove(it->path(), ignored);
    }
}

std::size_t CSendBatch::Send(std::span<const LONGLONG> queued)
{
    std::filesystem::create_directories(m_outgoing);
    std::size_t taken = 0;
    try {
        {
            // Loading never grows the batch beyond this, so the writers'
            // messages stay where they are while the next ones are added.
            m_batch.reserve(kMessages);
            Outgoing* batch = m_batch.data();
            CJobPool writers(WriterHelpers(queued.size()), [batch](std::size_t i) { Write(batch[i]); });
            {
                std::lock_guard lock(m_store.Mutex());
                CSqlReadTransaction reading(m_store.Db());
                std::size_t bytes = 0;
                for (; taken < queued.size() && m_batch.size() < kMessages && bytes < kBytes; ++taken)
                    if (Load(queued[taken], bytes)) writers.Ready(m_batch.size());
            }
            // The files are written without the store, which the submitter
            // of the next messages meanwhile has for itself.
            for (std::size_t i = 0; i < m_batch.size(); ++i) writers.WaitFor(i);
        }
        std::lock_guard lock(m_store.Mutex());
        CSqlTransaction transaction(m_store.Db());
        LONGLONG sent = m_store.SpecialFolder(CStoreFile::Role::SentItems);
        for (LONGLONG message : m_deleted) m_store.Dequeue(message);
        for (Outgoing& outgoing : m_batch) Settle(outgoing, sent);
        transaction.Commit();
    } catch (...) {
        // Each name is new, so nothing but this batch's own files goes.
        std::error_code ignored;
        for (const Outgoing& outgoing : m_batch) {
            std::filesystem::remove(outgoing.file, ignored);
            std::filesystem::remove(Temporary(outgoing.file), ignored);
        }
        throw;
    }
    for (const CEvent& event : m_moved) CNotifier::Instance().Raise(m_store.Uid(), event);
    return taken;
}

bool CSendBatch::Load(LONGLONG message, std::size_t& bytes)
{
    Outgoing outgoing;
    outgoing.message = message;
    // AbortSubmit or another process may have taken it meanwhile.
    CStoreFile::QueueState state = m_store.Queued(message, outgoing.folder);
    if (state == CStoreFile::QueueState::NotQueued) return false;
    if (state == CStoreFile::QueueState::Deleted) {
        m_deleted.push_back(message);  // deleted while queued: nothing to send
        return false;
    }
    try {
        outgoing.content = CMessageContent::Load(m_store, message);
        outgoing.stamped = m_stamp.Apply(outgoing.content);
    } catch (const CMapiError&) {
        outgoing.failure = std::current_exception();
    }
    bytes += ContentBytes(outgoing.content);
    // Named here, in queue order, rather than by the writer threads.
    char name[96];
    std::snprintf(name, sizeof name, "%lld-%02x%02x%02x%02x-%lld.eml", static_cast<long long>(NowFileTime()),
                  m_store.Uid().ab[0], m_store.Uid().ab[1], m_store.Uid().ab[2], m_store.Uid().ab[3],
                  static_cast<long long>(message));
    outgoing.file = m_outgoing / name;
    m_batch.push_back(std::move(outgoing));
    return true;
}

void CSendBatch::Settle(Outgoing& outgoing, LONGLONG sent)
{
    if (outgoing.failure) {
        if (!m_failure) m_failure = outgoing.failure;
        return;
    }
    std::error_code error;
    // AbortSubmit or another process may have taken it while it was written.
    CStoreFile::QueueState state = m_store.Queued(outgoing.message, outgoing.folder);
    if (state == CStoreFile::QueueState::Deleted) m_store.Dequeue(outgoing.message);
    if (state != CStoreFile::QueueState::Waiting) {
        std::filesystem::remove(Temporary(outgoing.file), error);
        return;
    }
    std::filesystem::rename(Temporary(outgoing.file), outgoing.file, error);
    if (error) {
        std::filesystem::remove(Temporary(outgoing.file), error);
        if (!m_failure)
            m_failure = std::make_exception_ptr(
                CMapiError(MAPI_E_DISK_ERROR, "Cannot write " + outgoing.file.string() + ": " + error.message()));
        return;
    }
    if (std::optional<CEvent> event =
            FileAsSent(m_store, {outgoing.message, outgoing.folder, outgoing.content, outgoing.stamped}, sent))
        m_moved.push_back(*event);
}

void CSendBatch::Write(Outgoing& outgoing) noexcept
{
    if (outgoing.failure) return;
    try {
        WriteBeside(outgoing.file, ComposeMime(CMimeBridge::ToMime(outgoing.content)));
    } catch (...) {
        outgoing.failure = std::current_exception();
    }
}

}  // namespace pollenta::mapi
