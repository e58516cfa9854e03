#include "AnswerEml.h"

#include <cctype>

namespace AnswerEml {

namespace {

const char kHex[] = "0123456789ABCDEF";

std::string Headers(const std::string& subject, const std::string& contentType)
{
    return "Return-Path: <ann@example.com>\r\n"
           "From: \"Ann Example\" <ann@example.com>\r\n"
           "To: <answers@example.com>\r\n"
           "Subject: " + subject + "\r\n"
           "Date: Tue, 14 Mar 2006 10:15:02 +0100\r\n"
           "MIME-Version: 1.0\r\n"
           "X-Mailer: Microsoft Outlook Express 6.00.2900.2180\r\n"
           "Content-Type: " + contentType + "\r\n";
}

std::string Wrapped(const std::string& text, std::size_t width)
{
    std::string lines;
    for (std::size_t i = 0; i < text.size(); i += width)
        lines += text.substr(i, width) + "\r\n";
    return lines;
}

std::string QuotedPrintable(const std::string& text)
{
    std::string out;
    std::size_t column = 0;
    for (unsigned char c : text) {
        std::string piece = (c == '=' || c > 126 || c < 32) ? std::string{'=', kHex[c >> 4], kHex[c & 15]}
                                                             : std::string(1, static_cast<char>(c));
        if (column + piece.size() > 75) {
            out += "=\r\n";
            column = 0;
        }
        out += piece;
        column += piece.size();
    }
    return out + "\r\n";
}

std::string AttachmentPart(const std::string& formData, Style style)
{
    switch (style) {
    case Style::IeBase64:
    case Style::IeBase64Unpadded:
        return "Content-Type: application/octet-stream;\r\n\tname=\"POSTDATA.ATT\"\r\n"
               "Content-Transfer-Encoding: base64\r\n"
               "Content-Disposition: attachment;\r\n\tfilename=\"POSTDATA.ATT\"\r\n\r\n" +
               Wrapped(Base64(formData, style == Style::IeBase64), 76);
    case Style::SevenBit:
        return "Content-Type: application/octet-stream; name=\"POSTDATA.ATT\"\r\n"
               "Content-Transfer-Encoding: 7bit\r\n"
               "Content-Disposition: attachment; filename=\"POSTDATA.ATT\"\r\n\r\n" +
               formData + "\r\n";
    case Style::TextQuotedPrintable:
        return "Content-Type: text/plain; charset=\"iso-8859-1\"; name=\"form.txt\"\r\n"
               "Content-Transfer-Encoding: quoted-printable\r\n"
               "Content-Disposition: attachment; filename=\"form.txt\"\r\n\r\n" +
               QuotedPrintable(formData);
    }
    return {};
}

}  // namespace

std::string FormData(const Fields& fields)
{
    std::string text;
    for (const auto& [name, value] : fields) {
        if (!text.empty())
            text += '&';
        for (const std::string* part : {&name, &value}) {
            for (unsigned char c : *part) {
                if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '*')
                    text += static_cast<char>(c);
                else if (c == ' ')
                    text += '+';
                else
                    text += std::string{'%', kHex[c >> 4], kHex[c & 15]};
            }
            if (part == &name)
                text += '=';
        }
    }
    return text;
}

std::string Base64(const std::string& bytes, bool padded)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned v = (unsigned char)bytes[i] << 16 | (unsigned char)bytes[i + 1] << 8 | (unsigned char)bytes[i + 2];
        out += {alphabet[v >> 18], alphabet[(v >> 12) & 63], alphabet[(v >> 6) & 63], alphabet[v & 63]};
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        const unsigned v = (unsigned char)bytes[i] << 16 | (rest > 1 ? (unsigned char)bytes[i + 1] << 8 : 0);
        out += alphabet[v >> 18];
        out += alphabet[(v >> 12) & 63];
        if (rest > 1)
            out += alphabet[(v >> 6) & 63];
        if (padded)
            out += rest > 1 ? "=" : "==";
    }
    return out;
}

std::string Message(const std::string& subject, const std::string& formData, Style style)
{
    const std::string boundary = "----=_NextPart_000_0007_01C6475A.8C2B4E40";
    return Headers(subject, "multipart/mixed;\r\n\tboundary=\"" + boundary + "\"") +
           "\r\nThis is a multi-part message in MIME format.\r\n\r\n--" + boundary +
           "\r\nContent-Type: text/plain;\r\n\tcharset=\"iso-8859-1\"\r\nContent-Transfer-Encoding: 7bit\r\n\r\n"
           "Form posted from Microsoft Internet Explorer.\r\n\r\n--" +
           boundary + "\r\n" + AttachmentPart(formData, style) + "\r\n--" + boundary + "--\r\n";
}

std::string BodyOnly(const std::string& subject, const std::string& formData)
{
    return Headers(subject, "text/plain; charset=us-ascii") + "Content-Transfer-Encoding: 7bit\r\n\r\n" +
           formData + "\r\n";
}

}  // namespace AnswerEml
