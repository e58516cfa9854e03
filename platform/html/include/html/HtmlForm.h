#pragma once
// A FORM element and the controls a browser submits with it.

#include "html/HtmlElement.h"

#include <vector>

namespace pollenta::html {

class HtmlForm : public HtmlElement {
public:
    explicit HtmlForm(const HtmlElement& element) : HtmlElement(element) {}

    // INPUT, SELECT, TEXTAREA, BUTTON, FIELDSET and OBJECT elements that
    // belong to the form, in document order. A form written between <TABLE>
    // and <TR> keeps the controls of its rows, as browsers submit them.
    std::vector<HtmlElement> Elements() const;

    std::string Action() const { return GetAttribute("action"); }
    void SetAction(std::string_view action) { SetAttribute("action", action); }
    void SetMethod(std::string_view method) { SetAttribute("method", method); }
};

}  // namespace pollenta::html
