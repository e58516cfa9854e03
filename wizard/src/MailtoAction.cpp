#include "wizard/MailtoAction.h"

namespace {

std::string PercentEncoded(const std::string& text, const char* alsoKept)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : text) {
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '.' || c == '_' || c == '~';
        if (unreserved || (c && std::string(alsoKept).find(static_cast<char>(c)) != std::string::npos)) {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 15];
        }
    }
    return encoded;
}

}  // namespace

std::string MailtoAction(const std::string& address, const std::string& subject)
{
    return "mailto:" + PercentEncoded(address, "@!$'()*+,;:") + "?Subject=" + PercentEncoded(subject, "");
}
