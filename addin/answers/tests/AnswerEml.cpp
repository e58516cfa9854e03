#include "AnswerEml.h"

#include "win/CodePage.h"

#include <cctype>

namespace AnswerEml {

namespace {

const char kHex[] = "0123456789ABCDEF";

std::string Headers(const std::string& from, const std::string& subject, const std::string& contentType)
{
    std::string headers = "Return-Path: <ann@example.com>\r\nFrom: " + from + "\r\nTo: <answers@example.com>\r\n";
    if (!subject.empty())
        headers += "Subject: " + subject + "\r\n";
    return headers +
           "Date: Tue, 14 Mar 2006 10:15:02 +0100\r\n"
           "MIME-Version: 1.0\r\n"
           "X-Mailer: Microsoft Outlook Express 6.00.2900.2180\r\n"
           "Content-Type: " +
           contentType + "\r\n";
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

std::string Encoded(const Post& post)
{
    if (post.transferEncoding == "base64")
        return Wrapped(Base64(post.formData, post.padded), 76);
    if (post.transferEncoding == "quoted-printable")
        return QuotedPrintable(post.formData);
    return post.formData + "\r\n";
}

std::string TextPart(const std::string& type, const std::string& text)
{
    return "Content-Type: " + type + ";\r\n\tcharset=\"iso-8859-1\"\r\nContent-Transfer-Encoding: 7bit\r\n\r\n" + text +
           "\r\n";
}

std::string PostPart(const Post& post)
{
    std::string type = post.contentType;
    if (!post.charset.empty())
        type += ";\r\n\tcharset=\"" + post.charset + "\"";
    return "Content-Type: " + type + ";\r\n\tname=\"" + post.fileName +
           "\"\r\nContent-Transfer-Encoding: " + post.transferEncoding +
           "\r\nContent-Disposition: attachment;\r\n\tfilename=\"" + post.fileName + "\"\r\n\r\n" + Encoded(post);
}

// The character a UTF-16 text holds at `i` (moved past a surrogate pair).
char32_t CharacterAt(const std::u16string& text, std::size_t& i)
{
    const char32_t unit = text[i];
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size())
        return 0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00);
    return unit;
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

std::string TypedIntoPage(const std::string& utf8, unsigned codePage)
{
    if (codePage == CP_UTF8)
        return utf8;
    const std::u16string wide = ToWide(utf8, CP_UTF8);
    std::string bytes;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const std::size_t start = i;
        const char32_t character = CharacterAt(wide, i);
        const std::u16string unit = wide.substr(start, i + 1 - start);
        BOOL lacking = FALSE;
        char buffer[8];
        const int length = WideCharToMultiByte(codePage, 0, unit.data(), static_cast<int>(unit.size()), buffer,
                                               sizeof buffer, nullptr, &lacking);
        if (length > 0 && !lacking)
            bytes.append(buffer, static_cast<std::size_t>(length));
        else
            bytes += "&#" + std::to_string(character) + ";";
    }
    return bytes;
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

std::string Message(const Post& post)
{
    const std::string boundary = "----=_NextPart_000_0007_01C6475A.8C2B4E40";
    const std::string kind = post.alternative ? "multipart/alternative" : "multipart/mixed";
    std::string body =
        "--" + boundary + "\r\n" + TextPart("text/plain", "Form posted from Microsoft Internet Explorer.");
    if (post.alternative)
        body += "\r\n--" + boundary + "\r\n" +
                TextPart("text/html", "<HTML><BODY>Form posted from Microsoft Internet Explorer.</BODY></HTML>");
    body += "\r\n--" + boundary + "\r\n" + PostPart(post) + "\r\n--" + boundary + "--\r\n";
    return Headers(post.from, post.subject, kind + ";\r\n\tboundary=\"" + boundary + "\"") +
           "\r\nThis is a multi-part message in MIME format.\r\n\r\n" + body;
}

std::string Message(const std::string& subject, const std::string& formData, Style style)
{
    Post post;
    post.subject = subject;
    post.formData = formData;
    post.padded = style != Style::IeBase64Unpadded;
    if (style == Style::SevenBit)
        post.transferEncoding = "7bit";
    if (style == Style::TextQuotedPrintable) {
        post.transferEncoding = "quoted-printable";
        post.contentType = "text/plain";
        post.charset = "iso-8859-1";
        post.fileName = "form.txt";
    }
    return Message(post);
}

std::string BodyOnly(const std::string& subject, const std::string& formData)
{
    return Headers("\"Ann Example\" <ann@example.com>", subject, "text/plain; charset=us-ascii") +
           "Content-Transfer-Encoding: 7bit\r\n\r\n" + formData + "\r\n";
}

}  // namespace AnswerEml
