#include "ImapClient.h"

#include "MapiError.h"
#include "mapi/MapiCodes.h"

#include <algorithm>
#include <memory>
#include <sstream>

namespace pollenta::mapi {

namespace {

size_t Append(char* data, size_t size, size_t count, void* user)
{
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

std::string Part(CURLU* url, CURLUPart part)
{
    char* value = nullptr;
    std::string text;
    if (curl_url_get(url, part, &value, 0) == CURLUE_OK && value) text = value;
    curl_free(value);
    return text;
}

// "imaps://host:993/INBOX" as the server's URL and the mailbox's name.
void SplitUrl(const std::string& url, std::string& server, std::string& mailbox)
{
    std::unique_ptr<CURLU, void (*)(CURLU*)> handle(curl_url(), curl_url_cleanup);
    if (!handle || curl_url_set(handle.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
        throw CMapiError(MAPI_E_INVALID_PARAMETER, "\"" + url + "\" is no URL");
    mailbox = Part(handle.get(), CURLUPART_PATH);
    mailbox.erase(0, mailbox.find_first_not_of('/'));
    mailbox = mailbox.substr(0, mailbox.find(';'));
    if (mailbox.empty()) mailbox = "INBOX";
    curl_url_set(handle.get(), CURLUPART_PATH, "/", 0);
    server = Part(handle.get(), CURLUPART_URL);
}

// The number after `name` in an untagged reply, as in "(UIDVALIDITY 42".
ULONG NumberAfter(const std::string& reply, const std::string& name)
{
    std::size_t at = reply.find(name + " ");
    return at == std::string::npos ? 0 : static_cast<ULONG>(std::strtoul(reply.c_str() + at + name.size() + 1, nullptr, 10));
}

}  // namespace

CImapClient::CImapClient(const MailAccount& account) : m_session(account, account.imapUrl, {"imap", "imaps"})
{
    SplitUrl(account.imapUrl, m_server, m_mailbox);
    curl_easy_setopt(m_session.Handle(), CURLOPT_WRITEFUNCTION, Append);
}

std::string CImapClient::Perform(const std::string& url, const char* command)
{
    CURL* curl = m_session.Handle();
    std::string answer;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, command);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &answer);
    CURLcode code = m_session.Perform();
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, nullptr);
    if (code != CURLE_OK)
        throw CMapiError(CCurlSession::IsAccountFault(code) ? MAPI_E_NO_ACCESS : MAPI_E_NETWORK_ERROR,
                         m_session.Describe(code));
    return answer;
}

CImapClient::Status CImapClient::Examine()
{
    std::string quoted = "\"" + m_mailbox + "\"";
    std::string reply = Perform(m_server, ("STATUS " + quoted + " (UIDVALIDITY UIDNEXT)").c_str());
    Status status{NumberAfter(reply, "UIDVALIDITY"), NumberAfter(reply, "UIDNEXT")};
    if (status.uidValidity == 0)
        throw CMapiError(MAPI_E_CALL_FAILED, m_session.Url() + ": the server gave no UIDVALIDITY for " + m_mailbox);
    return status;
}

std::vector<ULONG> CImapClient::UidsAbove(ULONG uid)
{
    std::string command = "UID SEARCH UID " + std::to_string(uid + 1) + ":*";
    std::string reply = Perform(m_server + m_mailbox, command.c_str());
    std::vector<ULONG> uids;
    std::istringstream lines(reply);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("* SEARCH", 0) != 0) continue;
        std::istringstream numbers(line.substr(8));
        // "n:*" holds the highest UID even when it is below n.
        for (ULONG found = 0; numbers >> found;)
            if (found > uid) uids.push_back(found);
    }
    std::sort(uids.begin(), uids.end());
    return uids;
}

std::vector<BYTE> CImapClient::Fetch(ULONG uid)
{
    std::string message = Perform(m_server + m_mailbox + ";UID=" + std::to_string(uid), nullptr);
    return {message.begin(), message.end()};
}

}  // namespace pollenta::mapi
