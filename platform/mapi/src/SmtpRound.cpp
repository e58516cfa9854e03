#include "SmtpRound.h"

#include "Delivery.h"
#include "MimeBridge.h"
#include "NonDelivery.h"
#include "SentItems.h"
#include "SqlTransaction.h"
#include "mapi/Mime.h"

namespace pollenta::mapi {

namespace {

std::vector<std::string> Envelope(const MimeMessageData& mime)
{
    std::vector<std::string> recipients;
    for (const auto* list : {&mime.to, &mime.cc, &mime.bcc})
        for (const MimeAddress& address : *list) recipients.push_back(address.address);
    return recipients;
}

}  // namespace

void CSmtpRound::Send(std::span<const LONGLONG> queued)
{
    for (LONGLONG message : queued) SendOne(message);
}

void CSmtpRound::SendOne(LONGLONG message)
{
    std::optional<CEvent> moved;
    LONGLONG inbox = 0;
    std::optional<LONGLONG> report;
    {
        std::lock_guard lock(m_store.Mutex());
        CSqlTransaction transaction(m_store.Db());
        LONGLONG folder = 0;
        // AbortSubmit or another process may have taken it meanwhile.
        CStoreFile::QueueState state = m_store.Queued(message, folder);
        if (state == CStoreFile::QueueState::NotQueued) return;
        if (state == CStoreFile::QueueState::Deleted) {
            m_store.Dequeue(message);
            transaction.Commit();
            return;
        }
        CMessageContent content;
        std::vector<CPropValue> stamped;
        try {
            content = CMessageContent::Load(m_store, message);
            stamped = m_stamp.Apply(content);
        } catch (const CMapiError&) {
            if (!m_failure) m_failure = std::current_exception();
            return;
        }
        MimeMessageData mime = CMimeBridge::ToMime(content);
        std::vector<std::string> recipients = Envelope(mime);
        // Blind copies reach their recipients through the envelope alone.
        mime.bcc.clear();
        std::vector<BYTE> bytes = ComposeMime(mime);
        CSmtpClient::Outcome outcome = m_smtp.Send(mime.from.address, recipients, bytes);
        if (!outcome.refused.empty()) {
            CMessageContent ndr = CDelivery::Read(NonDeliveryReport(mime.from, mime.subject, outcome.refused, bytes));
            ndr.m_props[PROP_ID(PR_MESSAGE_CLASS_A)] = CPropValue::String(PR_MESSAGE_CLASS_A, kNonDeliveryClass);
            inbox = m_store.SpecialFolder(CStoreFile::Role::Inbox);
            report = ndr.WriteNew(m_store, inbox);
        }
        moved = FileAsSent(m_store, {message, folder, content, stamped}, m_store.SpecialFolder(CStoreFile::Role::SentItems));
        transaction.Commit();
    }
    if (moved) CNotifier::Instance().Raise(m_store.Uid(), *moved);
    if (report) CDelivery::Announce(m_store, inbox, *report, kNonDeliveryClass);
}

}  // namespace pollenta::mapi
