#pragma once
// Messages handed to the account's SMTP server, one after another over one
// connection. What the server answered each recipient is read from the
// dialogue, so that a refusal names the recipient and the server's words.
//
//     CSmtpClient smtp(account);
//     CSmtpClient::Outcome outcome = smtp.Send(from, {"a@example.org"}, mime);  // throws CSmtpFailure
//     for (const auto& refused : outcome.refused) ... refused.recipient, refused.reply

#include "CurlSession.h"
#include "MapiError.h"
#include "mapi/MapiCodes.h"
#include "win/Types.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <string_view>
#include <string>
#include <vector>

namespace pollenta::mapi {

// The server could not take the message now (a 4xx reply, no connection, a
// time-out) or the account is wrong (login refused, certificate not
// trusted): the message waits for a later try.
class CSmtpFailure : public CMapiError {
public:
    CSmtpFailure(HRESULT hr, const std::string& text) : CMapiError(hr, text) {}
};

// The commands libcurl sent and the replies the server gave them, in order.
// SMTP answers each command in turn (libcurl does not pipeline), so the
// reply that ends after a command was sent is that command's.
struct CSmtpDialogue {
    struct Exchange {
        std::string command;
        std::string reply;
        int Code() const { return reply.size() >= 3 ? std::atoi(reply.substr(0, 3).c_str()) : 0; }
    };
    std::string command;
    std::string reply;
    std::vector<Exchange> exchanges;

    void Sent(std::string_view text)
    {
        command.assign(text);
        while (!command.empty() && (command.back() == '\n' || command.back() == '\r')) command.pop_back();
    }
    void Received(std::string_view text)
    {
        std::string line(text);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        reply += reply.empty() ? line : " " + line.substr(std::min<std::size_t>(4, line.size()));
        // "250-..." goes on; "250 ..." ends the reply.
        if (line.size() > 3 && line[3] == '-') return;
        exchanges.push_back({command, reply});
        reply.clear();
    }
    // The reply to RCPT TO for `recipient`, if it came.
    const Exchange* RecipientReply(const std::string& recipient) const
    {
        std::string wanted = "RCPT TO:<" + recipient + ">";
        for (const Exchange& exchange : exchanges)
            if (exchange.command.compare(0, wanted.size(), wanted) == 0) return &exchange;
        return nullptr;
    }
    bool AnyRecipientDeferred() const
    {
        return std::any_of(exchanges.begin(), exchanges.end(), [](const Exchange& e) {
            return e.command.compare(0, 8, "RCPT TO:") == 0 && e.Code() / 100 == 4;
        });
    }
};

class CSmtpClient {
public:
    struct Refusal {
        std::string recipient;
        std::string reply;  // the server's reply line, code first
    };
    struct Outcome {
        std::vector<std::string> accepted;
        std::vector<Refusal> refused;  // for good: the server said 5xx
    };

    explicit CSmtpClient(const MailAccount& account);

    // Opens the connection and logs in, so that a server that is down or
    // refuses the account is known before any message is taken up. Throws
    // CSmtpFailure.
    void Connect();
    // Sends `message` from `sender` to `recipients`. Recipients the server
    // refuses for good are in the outcome, the others have the message; when
    // it refuses the whole message for good, every recipient is refused.
    Outcome Send(const std::string& sender, const std::vector<std::string>& recipients, std::span<const BYTE> message);

private:
    // libcurl's words for the failure, with the server's last reply.
    std::string Failure(CURLcode code) const;

    CCurlSession m_session;
    CSmtpDialogue m_dialogue;
};

}  // namespace pollenta::mapi
