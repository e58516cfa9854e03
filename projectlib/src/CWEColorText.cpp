#include "CWEColorText.h"

#include "ui/Gdi.h"

#include <cstdio>
#include <iterator>

namespace gastrel {

namespace {

// By system colour index. Where CSS has two names for one index, the one
// first in alphabetical order is taken (buttonface before threedface).
constexpr const char* kSystemColours[] = {
    "scrollbar",       "background",       "activecaption",     "inactivecaption", "menu",
    "window",          "windowframe",      "menutext",          "windowtext",      "captiontext",
    "activeborder",    "inactiveborder",   "appworkspace",      "highlight",       "highlighttext",
    "buttonface",      "buttonshadow",     "graytext",          "buttontext",      "inactivecaptiontext",
    "buttonhighlight", "threeddarkshadow", "threedlightshadow", "infotext",        "infobackground",
};

constexpr DWORD kSystemColourFlag = 0x80000000u;
// System colour indexes that have a colour: up to the menu bar's, without
// the one index Windows leaves unused.
constexpr DWORD kLastSystemColour = 30;
constexpr DWORD kUnusedSystemColour = 25;

// Colours are kept blue-green-red from the low byte.
std::string HexColour(DWORD bgr)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    return text;
}

}  // namespace

std::string ColorText(LONG value)
{
    const auto bits = static_cast<DWORD>(value);
    if (bits & kSystemColourFlag) {
        const DWORD index = bits & ~kSystemColourFlag;
        if (index < std::size(kSystemColours))
            return kSystemColours[index];
        return std::to_string(value);
    }
    return HexColour(bits);
}

std::string AttributeColorText(LONG value)
{
    const auto bits = static_cast<DWORD>(value);
    if (!(bits & kSystemColourFlag))
        return HexColour(bits);
    const DWORD index = bits & ~kSystemColourFlag;
    if (index > kLastSystemColour || index == kUnusedSystemColour)
        return {};
    return HexColour(GetSysColor(static_cast<int>(index)));
}

}  // namespace gastrel
