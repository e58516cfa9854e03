#include "ui/DlgItemInt.h"
#include "ui/Window.h"

#include <climits>
#include <cstdint>
#include <string>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The number in `text`, or false when it is not one that fits.
bool ParseNumber(const std::string& text, bool isSigned, std::int64_t& value)
{
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    bool negative = isSigned && at < text.size() && text[at] == '-';
    if (negative)
        ++at;
    std::size_t digits = at;
    std::int64_t number = 0;
    const std::int64_t limit = isSigned ? (negative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX) : UINT_MAX;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        number = number * 10 + (text[at] - '0');
        if (number > limit)
            return false;
        ++at;
    }
    if (at == digits)
        return false;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    if (at != text.size())
        return false;
    value = negative ? -number : number;
    return true;
}

} // namespace

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned)
{
    HWND control = GetDlgItem(dialog, id);
    std::int64_t value = 0;
    bool ok = control && ParseNumber(GetWindowTextString(control), isSigned, value);
    if (translated)
        *translated = ok;
    return ok ? static_cast<UINT>(value) : 0;
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned)
{
    std::string text = isSigned ? std::to_string(static_cast<INT>(value)) : std::to_string(value);
    return SetDlgItemText(dialog, id, text.c_str());
}
