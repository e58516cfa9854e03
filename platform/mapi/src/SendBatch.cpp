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

namespace pollenta::mapi {

namespace {

// A batch ends at this many messages or this much loaded content, whichever
// comes first.
constexpr std::size_t kMessages = 100;
constexpr std::size_t kBytes = 32 << 20;
// Composing MIME costs more than writing the file; a few threads do it at
// once, starting on the first messages while the spooler's thread still
// loads the next ones in the store's transaction.
constexpr unsigned kWriters = 4;

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

// Written beside its final name and renamed, so that whoever watches the
// folder never sees half a message.
void WriteAtomically(const std::filesystem::path& path, const std::vector<BYTE>& data)
{
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    std::error_code error;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        out.flush();
        if (!out) {
            std::filesystem::remove(temporary, error);
            throw CMapiError(MAPI_E_DISK_ERROR, "Cannot write " + temporary.string());
        }
    }
    std::filesystem::rename(temporary, path, error);
    if (error) throw CMapiError(MAPI_E_DISK_ERROR, "Cannot write " + path.string() + ": " + error.message());
}

}  // namespace

std::size_t CSendBatch::Send(std::span<const LONGLONG> queued)
{
    std::lock_guard lock(m_store.Mutex());
    std::filesystem::create_directories(m_outgoing);
    std::size_t taken = 0;
    try {
        CSqlTransaction transaction(m_store.Db());
        LONGLONG sent = m_store.SpecialFolder(CStoreFile::Role::SentItems);
        // Loading never grows the batch beyond this, so the writers'
        // messages stay where they are while the next ones are added.
        m_batch.reserve(kMessages);
        Outgoing* batch = m_batch.data();
        CJobPool writers(WriterHelpers(queued.size()), [batch](std::size_t i) { Write(batch[i]); });
        std::size_t bytes = 0;
        for (; taken < queued.size() && m_batch.size() < kMessages && bytes < kBytes; ++taken) {
            if (!Load(queued[taken], bytes)) continue;
            writers.Ready(m_batch.size());
            // What the writers have done meanwhile is moved in between.
            while (m_settled < m_batch.size() && writers.IsDone(m_settled)) Settle(m_batch[m_settled++], sent);
        }
        for (; m_settled < m_batch.size(); ++m_settled) {
            writers.WaitFor(m_settled);
            Settle(m_batch[m_settled], sent);
        }
        transaction.Commit();
    } catch (...) {
        // Each name is new, so nothing but this batch's own file goes.
        std::error_code ignored;
        for (const Outgoing& outgoing : m_batch) std::filesystem::remove(outgoing.file, ignored);
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
        m_store.Dequeue(message);  // deleted while queued: nothing to send
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

void CSendBatch::Settle(const Outgoing& outgoing, LONGLONG sent)
{
    if (outgoing.failure) {
        if (!m_failure) m_failure = outgoing.failure;
    } else if (std::optional<CEvent> event =
                   FileAsSent(m_store, {outgoing.message, outgoing.folder, outgoing.content, outgoing.stamped}, sent)) {
        m_moved.push_back(*event);
    }
}

void CSendBatch::Write(Outgoing& outgoing) noexcept
{
    if (outgoing.failure) return;
    try {
        WriteAtomically(outgoing.file, ComposeMime(CMimeBridge::ToMime(outgoing.content)));
    } catch (...) {
        outgoing.failure = std::current_exception();
    }
}

}  // namespace pollenta::mapi
