#include "html/HtmlInput.h"

#include "AsciiText.h"

namespace pollenta::html {

std::string HtmlInput::Type() const
{
    const std::string type = AsciiLower(AsciiTrim(GetAttribute("type")));
    for (const char* known : {"text", "password", "checkbox", "radio", "submit", "reset", "file", "hidden", "image",
                              "button"}) {
        if (type == known)
            return type;
    }
    return "text";
}

}  // namespace pollenta::html
