#pragma once
// One libcurl handle set up for a server of a mail account: its URL, the
// user and password, TLS as the account's URL asks and the server's
// certificate always verified, against the account's CA file or the
// system's. STARTTLS is required on smtp:// and imap:// except to a loopback
// address, where a server without it is used in the clear; so a password
// never crosses an unencrypted connection to another machine. The handle
// keeps its connection between transfers.
//
//     CCurlSession session(account, account.smtpUrl, {"smtp", "smtps"});
//     CURLcode code = session.Perform();
//     if (code != CURLE_OK) throw CMapiError(..., session.Describe(code));

#include "mapi/MailAccount.h"

#include <curl/curl.h>

#include <initializer_list>
#include <string>

namespace pollenta::mapi {

class CCurlSession {
public:
    // Throws CMapiError for a URL of another scheme, a URL libcurl cannot
    // read or a password file that cannot be read.
    CCurlSession(const MailAccount& account, const std::string& url, std::initializer_list<const char*> schemes);
    ~CCurlSession();
    CCurlSession(const CCurlSession&) = delete;
    CCurlSession& operator=(const CCurlSession&) = delete;

    CURL* Handle() const { return m_curl; }
    CURLcode Perform();
    const std::string& Url() const { return m_url; }
    // What went wrong in the last transfer, in libcurl's words.
    std::string Describe(CURLcode code) const;
    // Whether `code` says that the account's settings, not the moment, are
    // at fault: a refused login or a certificate that cannot be verified.
    static bool IsAccountFault(CURLcode code);

private:
    CURL* m_curl = nullptr;
    std::string m_url;
    std::string m_password;
    char m_error[CURL_ERROR_SIZE] = {};
};

}  // namespace pollenta::mapi
