#include "PlainMimeWriter.h"

#include "QuotedPrintable.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>
#include <string_view>

namespace {

// Beyond this a header line could be folded.
constexpr std::size_t kLongestHeaderLine = 76;
// GMime encodes text with lines longer than 998 characters; lines near that
// length are left to it, whatever it counts as the line's end.
constexpr std::size_t kShortLines = 980;
constexpr std::size_t kLongLines = 1020;

bool IsAlnum(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

bool AllOf(std::string_view text, bool (*allowed)(char))
{
    return !text.empty() && std::all_of(text.begin(), text.end(), allowed);
}

// Words of printable ASCII with single spaces between them, none looking
// like an encoded word.
bool IsPlainText(std::string_view text)
{
    if (text.empty()) return true;
    if (text.front() == ' ' || text.back() == ' ' || text.find("  ") != std::string_view::npos ||
        text.find("=?") != std::string_view::npos)
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

// A display name that needs no quotes: letters and digits in words.
bool IsPlainName(std::string_view name)
{
    return IsPlainText(name) && std::all_of(name.begin(), name.end(), [](char c) { return IsAlnum(c) || c == ' '; });
}

bool IsLocalChar(char c) { return IsAlnum(c) || c == '.' || c == '_' || c == '+' || c == '-'; }
bool IsDomainChar(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-'; }

// Dot-separated labels of lower-case letters, digits and inner hyphens: a
// domain that IDN conversion leaves as it is.
bool IsPlainDomain(std::string_view domain)
{
    if (!AllOf(domain, IsDomainChar) || domain.find("xn--") != std::string_view::npos) return false;
    for (std::size_t start = 0; start <= domain.size();) {
        std::size_t end = std::min(domain.find('.', start), domain.size());
        std::string_view label = domain.substr(start, end - start);
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-') return false;
        start = end + 1;
    }
    return true;
}

bool IsPlainAddress(std::string_view address)
{
    std::size_t at = address.find('@');
    if (at == std::string_view::npos) return false;
    std::string_view local = address.substr(0, at);
    if (!AllOf(local, IsLocalChar) || local.front() == '.' || local.back() == '.' ||
        local.find("..") != std::string_view::npos)
        return false;
    return IsPlainDomain(address.substr(at + 1));
}

bool IsPlainMessageId(std::string_view id)
{
    std::size_t at = id.find('@');
    return at != std::string_view::npos && AllOf(id.substr(0, at), IsLocalChar) &&
           AllOf(id.substr(at + 1), [](char c) { return IsAlnum(c) || c == '.' || c == '-'; });
}

std::string Mailbox(const MimeAddress& address)
{
    return address.name.empty() ? address.address : address.name + " <" + address.address + ">";
}

// The header line of a list of mailboxes, or nothing when it is not simple.
bool AddMailboxes(std::string& out, const char* field, const std::vector<MimeAddress>& list)
{
    if (list.empty()) return true;
    std::string line = std::string(field) + ": ";
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!IsPlainName(list[i].name) || !IsPlainAddress(list[i].address)) return false;
        if (i) line += ", ";
        line += Mailbox(list[i]);
    }
    if (line.size() > kLongestHeaderLine) return false;
    out += line + "\r\n";
    return true;
}

bool AddDate(std::string& out, const std::optional<std::int64_t>& date)
{
    if (!date) return true;
    if (*date < 0 || *date > 253402300799) return false;
    static constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::time_t seconds = static_cast<std::time_t>(*date);
    std::tm utc{};
    if (!gmtime_r(&seconds, &utc)) return false;
    char line[64];
    std::snprintf(line, sizeof line, "Date: %s, %02d %s %04d %02d:%02d:%02d +0000\r\n", kDays[utc.tm_wday], utc.tm_mday,
                  kMonths[utc.tm_mon], utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
    out += line;
    return true;
}

bool AddHeaders(std::string& out, const MimeMessageData& in)
{
    if (!AddDate(out, in.date)) return false;
    if (!in.from.address.empty() || !in.from.name.empty())
        if (!AddMailboxes(out, "From", {in.from})) return false;
    if (!IsPlainText(in.subject) || in.subject.size() + 9 > kLongestHeaderLine) return false;
    out += "Subject: " + in.subject + "\r\n";
    if (!AddMailboxes(out, "To", in.to) || !AddMailboxes(out, "Cc", in.cc) || !AddMailboxes(out, "Bcc", in.bcc))
        return false;
    if (!in.messageId.empty()) {
        if (!IsPlainMessageId(in.messageId) || in.messageId.size() + 14 > kLongestHeaderLine) return false;
        out += "Message-Id: <" + in.messageId + ">\r\n";
    }
    out += "MIME-Version: 1.0\r\n";
    return true;
}

// A body GMime would write as it is or as quoted-printable: 7-bit text
// whose lines end in LF or CRLF, none starting with "From".
struct BodyShape {
    bool simple = true;
    std::size_t longestLine = 0;
};

bool IsSevenBitLine(std::string_view line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return (c >= 0x20 && c <= 0x7E) || c == '\t'; });
}

BodyShape ShapeOf(std::string_view text)
{
    BodyShape shape;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (end < text.size() && line.ends_with('\r')) line.remove_suffix(1);
        if (line.starts_with("From") || !IsSevenBitLine(line)) return {false, 0};
        shape.longestLine = std::max(shape.longestLine, line.size());
        start = end + 1;
    }
    if (shape.longestLine > kShortLines && shape.longestLine <= kLongLines) shape.simple = false;
    return shape;
}

// Lines end in CRLF, as the composer's output does.
void AppendCrlf(std::string& out, std::string_view text)
{
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            out.append(text.substr(start));
            return;
        }
        out.append(text.substr(start, end - start));
        if (end == 0 || text[end - 1] != '\r') out += '\r';
        out += '\n';
        start = end + 1;
    }
}

// Appends the part's headers, an empty line and its text; false when the
// text is not simple.
bool AddTextPart(std::string& out, const char* subtype, const std::string& text)
{
    BodyShape shape = ShapeOf(text);
    if (!shape.simple) return false;
    out += "Content-Type: text/";
    out += subtype;
    out += "; charset=utf-8\r\n";
    bool ended = text.empty() || text.ends_with('\n');
    if (ended && shape.longestLine <= kShortLines) {
        out += "\r\n";
        AppendCrlf(out, text);
        return true;
    }
    out += "Content-Transfer-Encoding: quoted-printable\r\n\r\n";
    std::string encoded = EncodeQuotedPrintable(text);
    if (!encoded.ends_with('\n')) encoded += "=\n";
    AppendCrlf(out, encoded);
    return true;
}

// "=-" and 20 characters of base64, the form of GMime's own boundaries.
std::string NewBoundary()
{
    static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::string boundary = "=-";
    for (int i = 0; i < 20; ++i) boundary += kDigits[random() & 63];
    return boundary;
}

bool AddBody(std::string& out, const MimeMessageData& in)
{
    if (in.htmlBody.empty()) return AddTextPart(out, "plain", in.plainBody);
    if (in.plainBody.empty()) return AddTextPart(out, "html", in.htmlBody);
    std::string boundary = NewBoundary();
    out += "Content-Type: multipart/alternative; boundary=\"" + boundary + "\"\r\n\r\n";
    out += "--" + boundary + "\r\n";
    if (!AddTextPart(out, "plain", in.plainBody)) return false;
    out += "\r\n--" + boundary + "\r\n";
    if (!AddTextPart(out, "html", in.htmlBody)) return false;
    out += "\r\n--" + boundary + "--\r\n";
    return true;
}

} // namespace

std::optional<std::vector<BYTE>> PlainMimeWriter::Compose(const MimeMessageData& message)
{
    if (!message.attachments.empty() || !message.headers.empty()) return std::nullopt;
    std::string out;
    out.reserve(512 + message.plainBody.size() + message.htmlBody.size() * 11 / 10);
    if (!AddHeaders(out, message) || !AddBody(out, message)) return std::nullopt;
    return std::vector<BYTE>(out.begin(), out.end());
}
