#include "MailFetch.h"

#include "Delivery.h"
#include "FetchState.h"
#include "ImapClient.h"
#include "MapiError.h"
#include "mapi/MapiCodes.h"
#include "SqlTransaction.h"

namespace pollenta::mapi {

namespace {

std::string MessageId(const CMessageContent& content)
{
    auto id = content.m_props.find(PROP_ID(PR_INTERNET_MESSAGE_ID_A));
    return id == content.m_props.end() ? std::string() : id->second.Text();
}

// Stores one fetched message with the mailbox's new position, or only the
// position when it was delivered before; the new message's id, or 0.
LONGLONG DeliverOnce(CStoreFile& store, CFetchState& state, ULONG uidValidity, ULONG uid, std::span<const BYTE> mime)
{
    CMessageContent content = CDelivery::Read(mime);
    std::string messageId = MessageId(content);
    std::lock_guard lock(store.Mutex());
    CSqlTransaction transaction(store.Db());
    CFetchState::Position position = state.Read();
    // Another process on the profile may have taken it meanwhile.
    if (position.uidValidity == uidValidity && position.lastUid >= uid) return 0;
    LONGLONG id = 0;
    if (messageId.empty() || !state.Delivered(messageId)) {
        id = content.WriteNew(store, store.SpecialFolder(CStoreFile::Role::Inbox));
        if (!messageId.empty()) state.RecordDelivered(messageId);
    }
    state.Write({uidValidity, uid});
    transaction.Commit();
    return id;
}

}  // namespace

std::size_t CMailFetch::Run(const CProfile& profile)
{
    const MailAccount& account = profile.m_account;
    if (account.imapUrl.empty())
        throw CMapiError(MAPI_E_NOT_FOUND, "The profile \"" + profile.m_name + "\" has no IMAP mailbox to fetch from");
    const CProfile::Store* defaultStore = profile.DefaultStore();
    if (!defaultStore) throw CMapiError(MAPI_E_NOT_FOUND, "The profile \"" + profile.m_name + "\" has no store");
    std::shared_ptr<CStoreFile> store = CStoreFile::Open(defaultStore->path);
    CFetchState state(*store, account.imapUrl);
    CImapClient imap(account);
    CImapClient::Status status = imap.Examine();
    ULONG lastUid;
    {
        std::lock_guard lock(store->Mutex());
        CFetchState::Position position = state.Read();
        // A mailbox made anew numbers its messages anew: it is read again
        // from the start, and what was delivered is known by Message-ID.
        lastUid = position.uidValidity == status.uidValidity ? position.lastUid : 0;
    }
    if (status.uidNext != 0 && status.uidNext <= lastUid + 1) return 0;
    std::size_t delivered = 0;
    LONGLONG inbox = store->SpecialFolder(CStoreFile::Role::Inbox);
    for (ULONG uid : imap.UidsAbove(lastUid)) {
        std::vector<BYTE> mime = imap.Fetch(uid);
        if (LONGLONG id = DeliverOnce(*store, state, status.uidValidity, uid, mime)) {
            CDelivery::Announce(*store, inbox, id, "IPM.Note");
            ++delivered;
        }
    }
    return delivered;
}

}  // namespace pollenta::mapi
