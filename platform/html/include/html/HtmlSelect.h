#pragma once
// A SELECT element and its OPTION elements.

#include "html/HtmlOption.h"

#include <vector>

namespace pollenta::html {

class HtmlSelect : public HtmlElement {
public:
    explicit HtmlSelect(const HtmlElement& element) : HtmlElement(element) {}

    // "select-multiple" with the MULTIPLE attribute, else "select-one".
    std::string Type() const { return HasAttribute("multiple") ? "select-multiple" : "select-one"; }
    // Its options in document order, those inside OPTGROUP included.
    std::vector<HtmlOption> Options() const;
};

}  // namespace pollenta::html
