#include "FormOwnership.h"

#include "SourceTags.h"
#include "TreeWalk.h"

#include <vector>

namespace pollenta::html {

namespace {

// The marks of an ignored <form> and of a control in the text of a
// textarea; a control's mark is otherwise its form node.
char g_ignoredFormMark;
char g_inertControlMark;

bool IsTracked(const std::string& name)
{
    if (name == "form")
        return true;
    for (const char* control : {"input", "select", "textarea", "button", "fieldset", "object"}) {
        if (name == control)
            return true;
    }
    return false;
}

std::vector<xmlNode*> TrackedNodes(xmlDoc* doc)
{
    std::vector<xmlNode*> nodes;
    xmlNode* root = reinterpret_cast<xmlNode*>(doc);
    for (xmlNode* node = FirstElement(root); node; node = NextElement(node, root)) {
        if (IsTracked(reinterpret_cast<const char*>(node->name)))
            nodes.push_back(node);
    }
    return nodes;
}

std::vector<SourceTag> TrackedTags(std::string_view text)
{
    std::vector<SourceTag> tags;
    for (SourceTag& tag : ScanSourceTags(text)) {
        if (IsTracked(tag.name))
            tags.push_back(std::move(tag));
    }
    return tags;
}

bool SameStartTags(const std::vector<SourceTag>& tags, const std::vector<xmlNode*>& nodes)
{
    std::size_t next = 0;
    for (const SourceTag& tag : tags) {
        if (tag.isEnd)
            continue;
        if (next >= nodes.size() || tag.name != reinterpret_cast<const char*>(nodes[next]->name))
            return false;
        ++next;
    }
    return next == nodes.size();
}

void MarkBySource(const std::vector<SourceTag>& tags, const std::vector<xmlNode*>& nodes)
{
    xmlNode* pointer = nullptr;
    std::size_t next = 0;
    for (const SourceTag& tag : tags) {
        if (tag.isEnd) {
            if (tag.name == "form")
                pointer = nullptr;
            continue;
        }
        xmlNode* node = nodes[next++];
        if (tag.isInert) {
            node->_private = &g_inertControlMark;
            continue;
        }
        if (tag.name != "form")
            node->_private = pointer;
        else if (pointer)
            node->_private = &g_ignoredFormMark;
        else
            pointer = node;
    }
}

void MarkByTree(const std::vector<xmlNode*>& nodes)
{
    for (xmlNode* node : nodes) {
        if (HasName(node, "form"))
            continue;
        xmlNode* form = node->parent;
        while (form && !HasName(form, "form"))
            form = form->parent;
        node->_private = form;
    }
}

}  // namespace

void MarkFormOwners(xmlDoc* doc, std::string_view text)
{
    if (!doc)
        return;
    const std::vector<xmlNode*> nodes = TrackedNodes(doc);
    for (xmlNode* node : nodes)
        node->_private = nullptr;
    const std::vector<SourceTag> tags = TrackedTags(text);
    if (SameStartTags(tags, nodes))
        MarkBySource(tags, nodes);
    else
        MarkByTree(nodes);
}

xmlNode* FormOwner(const xmlNode* control)
{
    return IsFormControl(control) && !IsInertControl(control) ? static_cast<xmlNode*>(control->_private) : nullptr;
}

bool IsInertControl(const xmlNode* control)
{
    return IsFormControl(control) && control->_private == &g_inertControlMark;
}

void SetFormOwner(xmlNode* control, xmlNode* form)
{
    control->_private = form;
}

bool IsIgnoredForm(const xmlNode* form)
{
    return HasName(form, "form") && form->_private == &g_ignoredFormMark;
}

bool IsFormControl(const xmlNode* node)
{
    return node && node->type == XML_ELEMENT_NODE && node->name && !HasName(node, "form") &&
           IsTracked(reinterpret_cast<const char*>(node->name));
}

}  // namespace pollenta::html
