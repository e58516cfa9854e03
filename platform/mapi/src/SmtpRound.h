#pragma once
// Queued messages of one store handed to the account's SMTP server, over
// one connection, each in a transaction of its own: the message is claimed
// and loaded, sent, and moved to Sent Items in that transaction, so that a
// message the server accepted is never sent again, and one stopped by a
// kill between the server's acceptance and the commit is the only one that
// may go twice. Recipients the server refuses for good get a non-delivery
// report in the Inbox, in the same transaction.

#include "SenderStamp.h"
#include "SmtpClient.h"
#include "StoreFile.h"

#include <exception>
#include <span>

namespace pollenta::mapi {

class CSmtpRound {
public:
    CSmtpRound(CStoreFile& store, const CSenderStamp& stamp, CSmtpClient& smtp)
        : m_store(store), m_stamp(stamp), m_smtp(smtp)
    {
    }

    // Sends the messages in order. A message that cannot leave as it stands
    // stays queued and the rest go; a failure of the server (CSmtpFailure)
    // stops the round, with this message and the rest still queued.
    void Send(std::span<const LONGLONG> queued);
    // The first failure of a single message; null when there was none.
    std::exception_ptr Failure() const { return m_failure; }

private:
    void SendOne(LONGLONG message);

    CStoreFile& m_store;
    const CSenderStamp& m_stamp;
    CSmtpClient& m_smtp;
    std::exception_ptr m_failure;
};

}  // namespace pollenta::mapi
