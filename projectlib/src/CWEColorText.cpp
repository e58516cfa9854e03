#include "CWEColorText.h"

#include <cstdio>
#include <iterator>

namespace gastrel {

namespace {

// By system colour index. Where CSS has two names for one index, the one
// first in alphabetical order is taken (buttonface before threedface).
constexpr const char* kSystemColours[] = {
    "scrollbar",     "background",        "activecaption",       "inactivecaption", "menu",
    "window",        "windowframe",       "menutext",            "windowtext",      "captiontext",
    "activeborder",  "inactiveborder",    "appworkspace",        "highlight",       "highlighttext",
    "buttonface",    "buttonshadow",      "graytext",            "buttontext",      "inactivecaptiontext",
    "buttonhighlight", "threeddarkshadow", "threedlightshadow",  "infotext",        "infobackground",
};

}  // namespace

std::string ColorText(LONG value)
{
    const auto bits = static_cast<DWORD>(value);
    if (bits & 0x80000000u) {
        const DWORD index = bits & 0x7FFFFFFFu;
        if (index < std::size(kSystemColours))
            return kSystemColours[index];
        return std::to_string(value);
    }
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF);
    return text;
}

}  // namespace gastrel
