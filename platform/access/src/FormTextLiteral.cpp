#include "FormTextLiteral.h"

namespace pollenta::access {

namespace {

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

}  // namespace

bool ReadQuoted(std::string_view text, std::string& out)
{
    for (size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"')
            return true;
        if (c != '\\' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        ++i;
        if (!IsOctal(text[i])) {
            out += text[i];
            continue;
        }
        int value = 0;
        for (int digits = 0; digits < 3 && i < text.size() && IsOctal(text[i]); ++digits, ++i)
            value = value * 8 + (text[i] - '0');
        --i;
        out += static_cast<char>(value & 0xFF);
    }
    return false;
}

}  // namespace pollenta::access
