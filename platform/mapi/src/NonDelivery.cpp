#include "NonDelivery.h"

#include "SenderStamp.h"
#include "mapi/Mime.h"

#include <ctime>

namespace pollenta::mapi {

std::vector<BYTE> NonDeliveryReport(const MimeAddress& sender, const std::string& subject,
                                    const std::vector<CSmtpClient::Refusal>& refused, std::span<const BYTE> original)
{
    MimeMessageData report;
    std::string domain = sender.address.substr(sender.address.rfind('@') + 1);
    report.from = {"Mail Delivery System", "MAILER-DAEMON@" + (domain.empty() ? "localhost" : domain)};
    report.to = {sender};
    report.subject = "Undeliverable: " + subject;
    report.date = std::time(nullptr);
    report.messageId = NewMessageId(report.from.address);
    report.plainBody = "Your message did not reach these recipients:\r\n\r\n";
    for (const CSmtpClient::Refusal& refusal : refused)
        report.plainBody += "    " + refusal.recipient + "\r\n        the server answered: " + refusal.reply + "\r\n";
    report.plainBody += "\r\nThe message is attached as it was sent.\r\n";
    MimeAttachment message;
    message.contentType = "message/rfc822";
    message.fileName = (subject.empty() ? std::string("Message") : subject) + ".eml";
    message.data.assign(original.begin(), original.end());
    report.attachments.push_back(std::move(message));
    return ComposeMime(report);
}

}  // namespace pollenta::mapi
