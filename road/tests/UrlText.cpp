#include "UrlText.h"

#include "RoadFailure.h"

#include <iconv.h>

#include <cctype>
#include <cstdio>

namespace {

std::string Converted(const std::string& utf8, const std::string& charset)
{
    iconv_t converter = iconv_open(charset.c_str(), "UTF-8");
    Require(converter != reinterpret_cast<iconv_t>(-1), "iconv knows no charset " + charset);
    std::string out(utf8.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* to = out.data();
    std::size_t outLeft = out.size();
    const std::size_t result = iconv(converter, &in, &inLeft, &to, &outLeft);
    iconv_close(converter);
    Require(result != static_cast<std::size_t>(-1), "\"" + utf8 + "\" cannot be written in " + charset);
    out.resize(out.size() - outLeft);
    return out;
}

std::string Escaped(const std::string& bytes)
{
    std::string out;
    for (unsigned char c : bytes) {
        if (std::isalnum(c) || c == '*' || c == '-' || c == '.' || c == '_') {
            out += static_cast<char>(c);
        } else if (c == ' ') {
            out += '+';
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

}  // namespace

std::string UrlDecode(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string FormUrlEncoded(const std::vector<std::pair<std::string, std::string>>& fields, const std::string& charset)
{
    std::string out;
    for (const auto& [name, value] : fields) {
        if (!out.empty())
            out += '&';
        out += Escaped(Converted(name, charset)) + "=" + Escaped(Converted(value, charset));
    }
    return out;
}
