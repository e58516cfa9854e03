#include "html/HtmlForm.h"

#include "FormOwnership.h"
#include "TreeWalk.h"

namespace pollenta::html {

std::vector<HtmlElement> HtmlForm::Elements() const
{
    std::vector<HtmlElement> controls;
    if (!m_node)
        return controls;
    xmlNode* root = reinterpret_cast<xmlNode*>(m_node->doc);
    for (xmlNode* node = FirstElement(root); node; node = NextElement(node, root)) {
        if (FormOwner(node) == m_node)
            controls.emplace_back(node);
    }
    return controls;
}

HtmlElement HtmlForm::PrependHiddenInput(std::string_view name, std::string_view value)
{
    if (!m_node)
        return HtmlElement();
    xmlNode* input = xmlNewDocNode(m_node->doc, nullptr, reinterpret_cast<const xmlChar*>("input"), nullptr);
    xmlNode* added = !input             ? nullptr
                     : m_node->children ? xmlAddPrevSibling(m_node->children, input)
                                        : xmlAddChild(m_node, input);
    if (!added) {
        xmlFreeNode(input);
        return HtmlElement();
    }
    SetFormOwner(input, m_node);
    HtmlElement element(input);
    element.SetAttribute("type", "hidden");
    element.SetAttribute("value", value);
    element.SetAttribute("name", name);
    return element;
}

}  // namespace pollenta::html
