#pragma once
// The report the client puts into the Inbox when the server refuses some
// recipients of a message for good: from "Mail Delivery System", subject
// "Undeliverable: " and the original subject, a text naming each refused
// recipient with the server's reply, and the message as sent attached as
// message/rfc822. Its class is that of a report, so that nothing takes it
// for a reply.

#include "SmtpClient.h"
#include "mapi/MimeAddress.h"

#include <span>
#include <string>
#include <vector>

namespace pollenta::mapi {

inline constexpr const char* kNonDeliveryClass = "REPORT.IPM.Note.NDR";

std::vector<BYTE> NonDeliveryReport(const MimeAddress& sender, const std::string& subject,
                                    const std::vector<CSmtpClient::Refusal>& refused, std::span<const BYTE> original);

}  // namespace pollenta::mapi
