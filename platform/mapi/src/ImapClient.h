#pragma once
// The account's IMAP mailbox read through libcurl, over one connection:
// its UIDVALIDITY, the UIDs above one already seen, and each message by UID.
// Messages stay on the server.
//
//     CImapClient imap(account);
//     CImapClient::Status status = imap.Examine();           // throws CMapiError
//     for (ULONG uid : imap.UidsAbove(lastUid)) imap.Fetch(uid);

#include "CurlSession.h"

#include <string>
#include <vector>

namespace pollenta::mapi {

class CImapClient {
public:
    struct Status {
        ULONG uidValidity = 0;
        ULONG uidNext = 0;
    };

    explicit CImapClient(const MailAccount& account);

    Status Examine();
    // In increasing order.
    std::vector<ULONG> UidsAbove(ULONG uid);
    std::vector<BYTE> Fetch(ULONG uid);

private:
    // Runs `command` (none: the URL's own request) on `url` and returns
    // what the server answered; throws CMapiError when it fails.
    std::string Perform(const std::string& url, const char* command);

    CCurlSession m_session;
    std::string m_server;   // scheme://host:port/
    std::string m_mailbox;  // as the URL names it
};

}  // namespace pollenta::mapi
