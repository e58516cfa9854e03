#pragma once
// A FORM element and the controls a browser submits with it.

#include "html/HtmlElement.h"

#include <vector>

namespace pollenta::html {

class HtmlForm : public HtmlElement {
public:
    explicit HtmlForm(const HtmlElement& element) : HtmlElement(element) {}

    // INPUT, SELECT, TEXTAREA, BUTTON, FIELDSET and OBJECT elements that
    // a browser submits with the form, in document order: those after its
    // start tag up to the next </form> as the page was written, wherever
    // the markup closed the FORM element itself (a form opened in a table
    // cell keeps the controls of the cells after it). Controls in the text
    // of a TEXTAREA are text, not controls.
    std::vector<HtmlElement> Elements() const;
    // A hidden INPUT (type, value, name) as the form's first child, right
    // after its start tag, where it is submitted with the form however the
    // markup goes on; null when there is no memory for it.
    HtmlElement PrependHiddenInput(std::string_view name, std::string_view value);

    std::string Action() const { return GetAttribute("action"); }
    void SetAction(std::string_view action) { SetAttribute("action", action); }
    void SetMethod(std::string_view method) { SetAttribute("method", method); }
};

}  // namespace pollenta::html
