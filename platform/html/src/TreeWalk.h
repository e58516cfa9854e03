#pragma once
// Document-order walks over libxml2's tree.

#include <libxml/tree.h>

#include <string_view>

namespace pollenta::html {

// The element after `node` in document order within `root` (descending
// into children), or null.
xmlNode* NextElement(xmlNode* node, const xmlNode* root);
xmlNode* FirstElement(xmlNode* root);
// libxml2 keeps HTML names in lower case; `lowerName` must be too.
bool HasName(const xmlNode* node, std::string_view lowerName);

}  // namespace pollenta::html
