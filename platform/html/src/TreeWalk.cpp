#include "TreeWalk.h"

namespace pollenta::html {

namespace {

xmlNode* NextNode(xmlNode* node, const xmlNode* root)
{
    if (node->children && node->type != XML_ENTITY_REF_NODE)
        return node->children;
    while (node && node != root) {
        if (node->next)
            return node->next;
        node = node->parent;
    }
    return nullptr;
}

}  // namespace

xmlNode* NextElement(xmlNode* node, const xmlNode* root)
{
    do
        node = NextNode(node, root);
    while (node && node->type != XML_ELEMENT_NODE);
    return node;
}

xmlNode* FirstElement(xmlNode* root)
{
    return root ? NextElement(root, root) : nullptr;
}

bool HasName(const xmlNode* node, std::string_view lowerName)
{
    return node && node->type == XML_ELEMENT_NODE && node->name &&
           lowerName == reinterpret_cast<const char*>(node->name);
}

}  // namespace pollenta::html
