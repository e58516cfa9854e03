#pragma once
// Queued messages of one store sent together: loaded, stamped with their
// sender and message id and written beside their names in the outgoing
// folder without holding the store, then, in one transaction of the store,
// given their names and moved to Sent Items if they are still queued. A
// spooler of another process sending the same queue meanwhile finds them
// gone in its own transaction and drops what it wrote, and one commit
// serves the whole batch. When the transaction fails, the files it named go
// too, so that the messages, still queued, are sent once by the next round.

#include "MessageContent.h"
#include "Notifier.h"
#include "SenderStamp.h"
#include "StoreFile.h"

#include <exception>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace pollenta::mapi {

// Removes the files that spoolers of processes that ended while writing
// them (killed, or the machine stopped) left beside their names.
void RemoveAbandonedWrites(const std::filesystem::path& outgoing);

class CSendBatch {
public:
    CSendBatch(CStoreFile& store, std::filesystem::path outgoing, const CSenderStamp& stamp)
        : m_store(store), m_outgoing(std::move(outgoing)), m_stamp(stamp)
    {
    }

    // Sends the first messages of `queued`, as many as make one batch, and
    // returns how many it took. Throws when the batch as a whole fails.
    std::size_t Send(std::span<const LONGLONG> queued);
    // The first failure of a single message, which stays queued while the
    // others are sent; null when there was none.
    std::exception_ptr Failure() const { return m_failure; }

private:
    struct Outgoing {
        LONGLONG message = 0;
        LONGLONG folder = 0;  // where it waited
        CMessageContent content;
        std::vector<CPropValue> stamped;  // what the transport added, kept in Sent Items
        std::filesystem::path file;
        std::exception_ptr failure;
    };

    // Adds the message to the batch when it is still queued, adding its
    // size to `bytes`; false when it is not.
    bool Load(LONGLONG message, std::size_t& bytes);
    // Names a written message and moves it to Sent Items when it is still
    // queued, drops its file when not, or keeps its failure.
    void Settle(Outgoing& outgoing, LONGLONG sent);
    // Composes the MIME text and writes it beside the file's name; runs on
    // writer threads.
    // A message that failed to load is left alone.
    static void Write(Outgoing& outgoing) noexcept;

    CStoreFile& m_store;
    std::filesystem::path m_outgoing;
    const CSenderStamp& m_stamp;
    std::vector<Outgoing> m_batch;
    std::vector<LONGLONG> m_deleted;  // queued, but deleted since: taken off the queue
    std::vector<CEvent> m_moved;
    std::exception_ptr m_failure;
};

}  // namespace pollenta::mapi
