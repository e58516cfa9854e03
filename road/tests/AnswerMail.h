#pragma once
// The answer a recipient's mail client sends when the survey's form is
// posted to its mailto: address, built with GMime: from the recipient, to
// the form's address with the form's subject, a short text part and the
// URL-encoded form data in an attachment POSTDATA.ATT, in the styles mail
// clients used.

#include <string>

enum class AnswerStyle {
    // Outlook beside Internet Explorer: application/octet-stream, base64.
    Base64Attachment,
    // A client that passes the data on as a line of text: 7bit, ended by CR LF.
    SevenBitAttachment,
    // A text/plain attachment naming the page's charset, quoted-printable.
    TextAttachment,
};

struct AnswerMail {
    std::string fromName;
    std::string fromAddress;
    std::string to;
    std::string subject;
    std::string charset;
    std::string formData;
};

// The message as CRLF bytes.
std::string BuildAnswerMail(const AnswerMail& answer, AnswerStyle style);
