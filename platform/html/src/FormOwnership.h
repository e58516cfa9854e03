#pragma once
// Which form each control of a page belongs to, as a browser decides it:
// by the form element pointer of the HTML parsing algorithm, which a
// form's start tag sets and any </form> clears, in the order the tags are
// written. Old pages rely on it: a form opened in one table cell keeps the
// controls of the cells after it, and a <form> written inside an open form
// is no form at all. libxml2 closes a form at the end of its cell and
// reports implied end tags like written ones, so the owners come from the
// page's text and are kept on libxml2's nodes.

#include <libxml/tree.h>

#include <string_view>

namespace pollenta::html {

// Marks every form-associated control of the tree with its form and every
// <form> a browser would ignore. `text` is the text the tree was parsed
// from. When the text and the tree disagree on the tags (which libxml2
// does not do for these elements), a control belongs to the form around it.
void MarkFormOwners(xmlDoc* doc, std::string_view text);

// The form a control is submitted with, or null.
xmlNode* FormOwner(const xmlNode* control);
void SetFormOwner(xmlNode* control, xmlNode* form);
// A <form> tag inside an open form: no form to a browser.
bool IsIgnoredForm(const xmlNode* form);
// A control tag in the text of a textarea (or title, xmp ...): text to a
// browser.
bool IsInertControl(const xmlNode* control);
bool IsFormControl(const xmlNode* node);

}  // namespace pollenta::html
