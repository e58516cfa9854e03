#include "html/HtmlElement.h"

#include "AsciiText.h"

#include <libxml/tree.h>

namespace pollenta::html {

namespace {

const xmlChar* Xml(const std::string& text)
{
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

// libxml2 keeps the names of HTML attributes in lower case.
xmlAttr* FindAttribute(xmlNode* node, std::string_view name)
{
    for (xmlAttr* attribute = node ? node->properties : nullptr; attribute; attribute = attribute->next) {
        if (EqualsNoCase(reinterpret_cast<const char*>(attribute->name), name))
            return attribute;
    }
    return nullptr;
}

std::string Owned(xmlChar* text)
{
    std::string result = text ? reinterpret_cast<const char*>(text) : "";
    xmlFree(text);
    return result;
}

}  // namespace

std::string HtmlElement::TagName() const
{
    return m_node && m_node->name ? AsciiUpper(reinterpret_cast<const char*>(m_node->name)) : std::string();
}

bool HtmlElement::Is(std::string_view tag) const
{
    return m_node && m_node->name && EqualsNoCase(reinterpret_cast<const char*>(m_node->name), tag);
}

bool HtmlElement::HasAttribute(std::string_view name) const
{
    return FindAttribute(m_node, name) != nullptr;
}

std::string HtmlElement::GetAttribute(std::string_view name) const
{
    xmlAttr* attribute = FindAttribute(m_node, name);
    return attribute ? Owned(xmlNodeListGetString(m_node->doc, attribute->children, 1)) : std::string();
}

void HtmlElement::SetAttribute(std::string_view name, std::string_view value)
{
    if (!m_node)
        return;
    const xmlAttr* attribute = FindAttribute(m_node, name);
    const std::string stored = attribute ? reinterpret_cast<const char*>(attribute->name) : AsciiLower(name);
    xmlSetProp(m_node, Xml(stored), Xml(std::string(value)));
}

void HtmlElement::RemoveAttribute(std::string_view name)
{
    if (xmlAttr* attribute = FindAttribute(m_node, name))
        xmlRemoveProp(attribute);
}

std::string HtmlElement::InnerText() const
{
    return m_node ? CollapseBlanks(Owned(xmlNodeGetContent(m_node))) : std::string();
}

std::string HtmlElement::RawText() const
{
    return m_node ? Owned(xmlNodeGetContent(m_node)) : std::string();
}

void HtmlElement::SetRawText(std::string_view text)
{
    if (!m_node)
        return;
    while (xmlNode* child = m_node->children) {
        xmlUnlinkNode(child);
        xmlFreeNode(child);
    }
    const std::string content(text);
    xmlAddChild(m_node, xmlNewDocText(m_node->doc, Xml(content)));
}

}  // namespace pollenta::html
