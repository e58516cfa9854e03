#pragma once
// One element of an HtmlDocument: a handle that is valid as long as its
// document is and has not been loaded again. Names and values are UTF-8;
// attribute values are the raw text the page wrote (entities decoded), not
// resolved against the page's address.
//
//     for (const HtmlElement& element : document.All())
//         if (element.Is("IMG")) element.SetAttribute("src", "_kqwpic_001.gif");

#include <string>
#include <string_view>

struct _xmlNode;

namespace pollenta::html {

class HtmlElement {
public:
    HtmlElement() = default;
    explicit HtmlElement(_xmlNode* node) : m_node(node) {}

    bool IsNull() const { return m_node == nullptr; }
    // Upper case, as the old object model reports it: "INPUT", "TD".
    std::string TagName() const;
    // `tag` in upper case.
    bool Is(std::string_view tag) const;

    // Attribute names without regard to case; a missing attribute reads "".
    bool HasAttribute(std::string_view name) const;
    std::string GetAttribute(std::string_view name) const;
    void SetAttribute(std::string_view name, std::string_view value);
    void RemoveAttribute(std::string_view name);

    std::string Name() const { return GetAttribute("name"); }
    void SetName(std::string_view name) { SetAttribute("name", name); }
    // The element's text with runs of blanks made one and the ends trimmed.
    std::string InnerText() const;
    // The text of an element that holds raw text (STYLE, SCRIPT) as it was
    // written, and its replacement.
    std::string RawText() const;
    void SetRawText(std::string_view text);

    _xmlNode* Node() const { return m_node; }
    bool operator==(const HtmlElement& other) const { return m_node == other.m_node; }

protected:
    _xmlNode* m_node = nullptr;
};

}  // namespace pollenta::html
