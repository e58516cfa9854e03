#pragma once
// A profile's mail account, as the mail client keeps one: the SMTP server
// that submitted mail goes to and the IMAP mailbox that incoming mail is
// fetched from. URLs as libcurl takes them (smtp://host:587,
// smtps://host:465, imap://host/INBOX, imaps://host/INBOX). The password is
// never kept here, only the file that holds it.

#include "win/Types.h"

#include <string>

namespace pollenta::mapi {

struct MailAccount {
    std::string smtpUrl;  // empty: the profile has no account
    std::string imapUrl;  // empty: nothing is fetched
    std::string user;
    std::string passwordFile;
    std::string caFile;  // empty: the system's certificates
    DWORD pollSeconds = 60;
    // A message the server could not take now is tried again after a second,
    // then after twice as long each time, up to this.
    DWORD retryMaxSeconds = 300;
};

}  // namespace pollenta::mapi
