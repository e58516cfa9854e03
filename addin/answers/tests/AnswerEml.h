#pragma once
// Answer messages as mail clients sent them when a survey page's mailto:
// form was posted, written out as bytes: the URL-encoded form data in a
// POSTDATA.ATT attachment (base64 with or without padding, quoted-printable,
// 7bit or 8bit, with a charset parameter or none, after the text or beside
// the text and HTML bodies), or in the body only.

#include <string>
#include <utility>
#include <vector>

namespace AnswerEml {

using Fields = std::vector<std::pair<std::string, std::string>>;

// "name=value&..." with blanks as "+" and everything else outside
// letters and digits as %XX, as browsers encode a form.
std::string FormData(const Fields& fields);

// What a browser posts for `utf8` typed into a page in `codePage`: the
// text in that code page, and a decimal character reference ("&#1044;")
// for each character the code page lacks.
std::string TypedIntoPage(const std::string& utf8, unsigned codePage);

std::string Base64(const std::string& bytes, bool padded = true);

// A posted form as a mail client hands it on, with every choice open.
struct Post {
    std::string formData;
    // "base64", "quoted-printable", "7bit" or "8bit".
    std::string transferEncoding = "base64";
    // Base64 without "=" padding, as some gateways pass it on.
    bool padded = true;
    std::string contentType = "application/octet-stream";
    // The part's charset parameter; none when empty.
    std::string charset;
    std::string fileName = "POSTDATA.ATT";
    // Beside a text and an HTML body in multipart/alternative (as some
    // clients file it) rather than after the text in multipart/mixed.
    bool alternative = false;
    std::string from = "\"Ann Example\" <ann@example.com>";
    // No Subject header when empty.
    std::string subject = "Answer";
};
std::string Message(const Post& post);

enum class Style {
    // Outlook with Internet Explorer: base64 POSTDATA.ATT, application/octet-stream.
    IeBase64,
    // The same without "=" padding.
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
