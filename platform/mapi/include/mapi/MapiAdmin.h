#pragma once
// Setting up what a profile holds, and mail in and out of a store as MIME:
// used by the command-line tool, the mail client stand-in and tests.

#include "mapi/IMAPIFolder.h"
#include "mapi/IMsgStore.h"
#include "mapi/MailAccount.h"

#include <functional>
#include <string>
#include <vector>

namespace pollenta::mapi {

// The text of the last failure of one of these functions on this thread.
std::string AdminErrorText();

// A new profile with its address book file and outgoing folder; with
// makeDefault, MAPILogonEx without a name logs on to it. While a session of
// the profile is open, .eml files that appear in `dropFolder` (written
// whole, under another name, then renamed) are delivered into the Inbox of
// its default store and removed.
HRESULT CreateProfile(const std::string& profile, const std::string& addressBookPath,
                      const std::string& outgoingFolder, bool makeDefault, const std::string& dropFolder = {});
// The user that the profile's outgoing mail comes from: the spooler stamps
// this sender, the date and a message id in the address's domain on every
// message that lacks them. Until a profile has an address, what it submits
// stays in the Outbox.
HRESULT SetProfileIdentity(const std::string& profile, const std::string& displayName, const std::string& address);
HRESULT ProfileIdentity(const std::string& profile, std::string& displayName, std::string& address);
// The profile's mail account: with one, the spooler sends through its SMTP
// server instead of writing the outgoing folder. An empty SMTP URL removes
// it. MAPI_E_NOT_FOUND when there is no such profile.
HRESULT SetProfileAccount(const std::string& profile, const MailAccount& account);
HRESULT ProfileAccount(const std::string& profile, MailAccount& account);
// Fetches the messages of the account's IMAP mailbox that the profile has
// not had yet into the Inbox of its default store; `delivered` receives how
// many. MAPI_E_NOT_FOUND when the account has no IMAP mailbox.
HRESULT FetchMail(const std::string& profile, std::size_t& delivered);
// A new store file, listed in the profile; MAPI_E_COLLISION when the file
// exists. `entryId` receives the store's entry id when not null.
HRESULT CreateStore(const std::string& profile, const std::string& storePath, const std::string& displayName,
                    bool isDefault, std::string* entryId);
// While held, submitted messages wait in the Outbox until FlushQueues; with
// holdFlush as well, FlushQueues leaves them there too, as a spooler that
// has not got round to sending yet would.
HRESULT SetSpoolerHold(const std::string& profile, bool hold, bool holdFlush = false);

// Entries written into an address book file; each returns the new entry id.
std::string AddMailUser(const std::string& addressBookPath, const std::string& displayName,
                        const std::string& smtpAddress, const std::vector<std::string>& proxyAddresses);
std::string AddDistList(const std::string& addressBookPath, const std::string& displayName,
                        const std::vector<std::string>& memberEntryIds);
// The address book file of a profile (of the default profile for an empty
// name); MAPI_E_LOGON_FAILED when there is no such profile.
HRESULT ProfileAddressBook(const std::string& profile, std::string& addressBookPath);
// The entry id of the first entry of the book, mail user or list, with this
// display name; MAPI_E_NOT_FOUND when there is none.
HRESULT FindAddressEntry(const std::string& addressBookPath, const std::string& displayName, std::string& entryId);
// Appends a member to a list of the book; a list may so come to hold itself,
// directly or through others, as real address books allow.
HRESULT AddDistListMember(const std::string& addressBookPath, const std::string& listEntryId,
                          const std::string& memberEntryId);

// ResolveName with MAPI_DIALOG asks this hook to choose among the
// candidates of an ambiguous or unknown name: the index chosen, or -1 when
// the user cancels. Without a hook the name stays unresolved.
using ResolveNameHook = std::function<int(const std::string& name, const std::vector<std::string>& candidates)>;
void SetResolveNameHook(ResolveNameHook hook);

// Delivers a MIME message into `folder`, or the store's Inbox when null, with
// the properties a store sets on delivery, and raises the new-mail and
// object-created notifications. A damaged message is delivered with what
// could be read. `entryId` receives the new message's entry id.
HRESULT DeliverMime(IMsgStore* store, IMAPIFolder* folder, const std::vector<BYTE>& mime, std::string* entryId);
// The message as a MIME message.
HRESULT ExportMime(IMessage* message, std::vector<BYTE>& mime);
// One SMTP recipient of `message`: added with MODRECIP_ADD, or with
// MODRECIP_MODIFY written over the row `rowId`.
HRESULT WriteSmtpRecipient(IMessage* message, ULONG flags, LONG rowId, const std::string& name,
                           const std::string& address, LONG type);

}  // namespace pollenta::mapi
