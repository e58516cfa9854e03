#include "SmtpClient.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace pollenta::mapi {

namespace {

struct Upload {
    std::span<const BYTE> data;
    std::size_t offset = 0;
    CSmtpDialogue* dialogue = nullptr;
};

int Trace(CURL*, curl_infotype type, char* data, size_t size, void* user)
{
    auto* dialogue = static_cast<CSmtpDialogue*>(user);
    if (type == CURLINFO_HEADER_OUT) dialogue->Sent({data, size});
    else if (type == CURLINFO_HEADER_IN) dialogue->Received({data, size});
    return 0;
}

size_t Read(char* buffer, size_t size, size_t count, void* user)
{
    auto* upload = static_cast<Upload*>(user);
    // A recipient that the server cannot take now would miss this copy if
    // the others got it: the whole message waits for the next try instead.
    if (upload->offset == 0 && upload->dialogue->AnyRecipientDeferred()) return CURL_READFUNC_ABORT;
    size_t n = std::min(size * count, upload->data.size() - upload->offset);
    std::memcpy(buffer, upload->data.data() + upload->offset, n);
    upload->offset += n;
    return n;
}

}  // namespace

CSmtpClient::CSmtpClient(const MailAccount& account) : m_session(account, account.smtpUrl, {"smtp", "smtps"})
{
    CURL* curl = m_session.Handle();
    curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, Trace);
    curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &m_dialogue);
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
}

std::string CSmtpClient::Failure(CURLcode code) const
{
    const CSmtpDialogue::Exchange* last = m_dialogue.exchanges.empty() ? nullptr : &m_dialogue.exchanges.back();
    return m_session.Describe(code) + (last ? " (the server said: " + last->reply + ")" : "");
}

void CSmtpClient::Connect()
{
    CURL* curl = m_session.Handle();
    m_dialogue = {};
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 0L);
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, "NOOP");
    CURLcode code = m_session.Perform();
    curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, nullptr);
    if (code != CURLE_OK)
        throw CSmtpFailure(CCurlSession::IsAccountFault(code) ? MAPI_E_NO_ACCESS : MAPI_E_NETWORK_ERROR, Failure(code));
}

CSmtpClient::Outcome CSmtpClient::Send(const std::string& sender, const std::vector<std::string>& recipients,
                                      std::span<const BYTE> message)
{
    CURL* curl = m_session.Handle();
    m_dialogue = {};
    CSmtpDialogue& dialogue = m_dialogue;
    Upload upload{message, 0, &dialogue};
    std::unique_ptr<curl_slist, void (*)(curl_slist*)> list(nullptr, curl_slist_free_all);
    for (const std::string& recipient : recipients) {
        curl_slist* grown = curl_slist_append(list.get(), ("<" + recipient + ">").c_str());
        if (!grown) throw CMapiError(MAPI_E_NOT_ENOUGH_MEMORY, "Out of memory");
        list.release();
        list.reset(grown);
    }
    std::string from = "<" + sender + ">";
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.c_str());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, list.get());
    // The name libcurl gave the option first (7.69); later versions keep it.
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT_ALLLOWFAILS, 1L);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(message.size()));
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, Read);
    curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
    CURLcode code = m_session.Perform();
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, nullptr);

    Outcome outcome;
    const CSmtpDialogue::Exchange* last = dialogue.exchanges.empty() ? nullptr : &dialogue.exchanges.back();
    if (code != CURLE_OK) {
        if (CCurlSession::IsAccountFault(code)) throw CSmtpFailure(MAPI_E_NO_ACCESS, Failure(code));
        // Refused for good as a whole: the sender, or the message after its
        // data, or every recipient.
        bool refusedForGood = last && last->Code() / 100 == 5 && !dialogue.AnyRecipientDeferred();
        if (!refusedForGood) throw CSmtpFailure(MAPI_E_NETWORK_ERROR, Failure(code));
        for (const std::string& recipient : recipients) {
            const CSmtpDialogue::Exchange* reply = dialogue.RecipientReply(recipient);
            outcome.refused.push_back({recipient, reply && reply->Code() / 100 == 5 ? reply->reply : last->reply});
        }
        return outcome;
    }
    for (const std::string& recipient : recipients) {
        const CSmtpDialogue::Exchange* reply = dialogue.RecipientReply(recipient);
        if (reply && reply->Code() / 100 == 5) outcome.refused.push_back({recipient, reply->reply});
        else outcome.accepted.push_back(recipient);
    }
    return outcome;
}

}  // namespace pollenta::mapi
