#pragma once
// An INPUT element.

#include "html/HtmlElement.h"

namespace pollenta::html {

class HtmlInput : public HtmlElement {
public:
    explicit HtmlInput(const HtmlElement& element) : HtmlElement(element) {}

    // Lower case; "text" for a missing type and for one the classic form
    // controls do not know (HTML 5's "email", "date" ... are typed text).
    std::string Type() const;
    void SetType(std::string_view type) { SetAttribute("type", type); }
    std::string Value() const { return GetAttribute("value"); }
    void SetValue(std::string_view value) { SetAttribute("value", value); }
};

}  // namespace pollenta::html
