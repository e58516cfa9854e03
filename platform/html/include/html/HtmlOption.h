#pragma once
// An OPTION element of a SELECT.

#include "html/HtmlElement.h"

namespace pollenta::html {

class HtmlOption : public HtmlElement {
public:
    explicit HtmlOption(const HtmlElement& element) : HtmlElement(element) {}

    std::string Text() const { return InnerText(); }
    // The VALUE attribute as written; "" when there is none.
    std::string Value() const { return GetAttribute("value"); }
};

}  // namespace pollenta::html
