#include "html/HtmlSelect.h"

#include "TreeWalk.h"

namespace pollenta::html {

std::vector<HtmlOption> HtmlSelect::Options() const
{
    std::vector<HtmlOption> options;
    for (xmlNode* node = FirstElement(m_node); node; node = NextElement(node, m_node)) {
        if (HasName(node, "option"))
            options.emplace_back(HtmlElement(node));
    }
    return options;
}

}  // namespace pollenta::html
