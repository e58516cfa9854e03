#pragma once
// Answer messages as mail clients sent them when a survey page's mailto:
// form was posted, written out as bytes: the URL-encoded form data in a
// POSTDATA.ATT attachment (base64 with or without padding, or 7bit), in a
// text attachment of another charset, or in the body only.

#include <string>
#include <utility>
#include <vector>

namespace AnswerEml {

using Fields = std::vector<std::pair<std::string, std::string>>;

// "name=value&..." with blanks as "+" and everything else outside
// letters and digits as %XX, as browsers encode a form.
std::string FormData(const Fields& fields);

std::string Base64(const std::string& bytes, bool padded = true);

enum class Style {
    // Outlook with Internet Explorer: base64 POSTDATA.ATT, application/octet-stream.
    IeBase64,
    // The same without "=" padding, as some gateways pass it on.
    IeBase64Unpadded,
    // A client that sends the form data as 7bit text.
    SevenBit,
    // A text/plain attachment, quoted-printable, of another charset.
    TextQuotedPrintable,
};

// A whole message from Ann with the given subject.
std::string Message(const std::string& subject, const std::string& formData, Style style = Style::IeBase64);
// Netscape style: the form data in the body, no attachment.
std::string BodyOnly(const std::string& subject, const std::string& formData);

}  // namespace AnswerEml
