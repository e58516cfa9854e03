#pragma once
// The picture properties of an element's inline style (its STYLE
// attribute). Values are the raw CSS text, without escape processing.
//
//     HtmlStyle style(cell);
//     style.BackgroundImage();                  // "url(img/bg.gif)", also from "background: url(...) repeat"
//     style.SetBackgroundImage("url('_kqwpic_002.gif')");

#include "html/HtmlElement.h"

namespace pollenta::html {

class HtmlStyle {
public:
    explicit HtmlStyle(const HtmlElement& element) : m_element(element) {}

    // The background-image declaration, else the url( ) of a background
    // shorthand; "" with neither. Quotes inside url( ) are taken off.
    std::string BackgroundImage() const;
    // Replaces what BackgroundImage read (inside the shorthand when it came
    // from there); with neither, adds a background-image declaration.
    void SetBackgroundImage(std::string_view value);
    // The same for list-style-image and the list-style shorthand.
    std::string ListStyleImage() const;
    void SetListStyleImage(std::string_view value);

private:
    HtmlElement m_element;
};

}  // namespace pollenta::html
