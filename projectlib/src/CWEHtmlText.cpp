#include "CWEHtmlText.h"

#include <charconv>
#include <cmath>

namespace gastrel {

namespace {

constexpr double kTwipsPerCentimetre = 567.0;

std::string Replaced(const std::string& text, bool ampersand, bool quote)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '&' && ampersand)
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"' && quote)
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

}  // namespace

std::string EscapeAttribute(const std::string& text) { return Replaced(text, true, true); }

std::string EscapeLabel(const std::string& text)
{
    size_t blanks = 0;
    while (blanks < text.size() && text[blanks] == ' ')
        ++blanks;
    std::string out;
    for (size_t i = 0; i < blanks; ++i)
        out += "&nbsp;";
    return out + Replaced(text.substr(blanks), false, true);
}

std::string EscapeAngles(const std::string& text) { return Replaced(text, false, false); }

std::string PercentEncode(const std::string& utf8, const std::string& keep)
{
    static const char* kHex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : utf8) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~' || keep.find(static_cast<char>(c)) != std::string::npos) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string Centimetres(double twips)
{
    char buffer[64];
    double value = twips / kTwipsPerCentimetre;
    if (std::fabs(value) < 0.005)
        value = 0;  // no "-0.00"
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::string(buffer, written.ptr);
}

}  // namespace gastrel
