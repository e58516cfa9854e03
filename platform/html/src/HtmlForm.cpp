#include "html/HtmlForm.h"

#include "TreeWalk.h"

namespace pollenta::html {

namespace {

bool IsFormControl(const xmlNode* node)
{
    for (const char* name : {"input", "select", "textarea", "button", "fieldset", "object"}) {
        if (HasName(node, name))
            return true;
    }
    return false;
}

}  // namespace

std::vector<HtmlElement> HtmlForm::Elements() const
{
    std::vector<HtmlElement> controls;
    for (xmlNode* node = FirstElement(m_node); node; node = NextElement(node, m_node)) {
        if (IsFormControl(node))
            controls.emplace_back(node);
    }
    return controls;
}

}  // namespace pollenta::html
