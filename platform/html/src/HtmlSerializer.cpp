#include "HtmlSerializer.h"

#include "AsciiText.h"
#include "FormOwnership.h"
#include "TreeWalk.h"

#include <algorithm>
#include <vector>

namespace pollenta::html {

namespace {

constexpr const char* kGeneratorMeta = "<META name=GENERATOR content=\"Pollenta HTML 1.0\">";

const char* Text(const xmlChar* text)
{
    return text ? reinterpret_cast<const char*>(text) : "";
}

std::string Attribute(xmlNode* element, const char* name)
{
    xmlChar* value = xmlGetProp(element, reinterpret_cast<const xmlChar*>(name));
    std::string result = Text(value);
    xmlFree(value);
    return result;
}

bool IsVoid(const xmlNode* element)
{
    for (const char* name :
         {"area",  "base",    "basefont", "bgsound", "br",   "col",   "embed",  "frame",  "hr",    "img",
          "input", "isindex", "keygen",   "link",    "meta", "param", "source", "spacer", "track", "wbr"}) {
        if (HasName(element, name))
            return true;
    }
    return false;
}

bool HoldsRawText(const xmlNode* element)
{
    return HasName(element, "script") || HasName(element, "style") || HasName(element, "xmp") ||
           HasName(element, "plaintext");
}

bool IsContentTypeMeta(xmlNode* node)
{
    if (!HasName(node, "meta"))
        return false;
    return EqualsNoCase(AsciiTrim(Attribute(node, "http-equiv")), "content-type") ||
           xmlHasProp(node, reinterpret_cast<const xmlChar*>("charset"));
}

bool IsGeneratorMeta(xmlNode* node)
{
    return HasName(node, "meta") && EqualsNoCase(AsciiTrim(Attribute(node, "name")), "generator");
}

// libxml2 stores a bare CHECKED as checked="checked"; it goes out bare again.
bool IsBareFlag(const char* name, const std::string& value)
{
    for (const char* flag : {"checked", "compact", "declare", "defer", "disabled", "ismap", "multiple", "nohref",
                             "noresize", "noshade", "nowrap", "readonly", "selected"}) {
        if (EqualsNoCase(name, flag))
            return EqualsNoCase(value, flag);
    }
    return false;
}

bool IsPlainWord(const std::string& value)
{
    if (value.empty())
        return false;
    for (char c : value) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_';
        if (!plain)
            return false;
    }
    return true;
}

void AppendEscaped(std::string& out, const std::string& text, bool inAttribute)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '&')
            out += "&amp;";
        else if (c == '<' && !inAttribute)
            out += "&lt;";
        else if (c == '>' && !inAttribute)
            out += "&gt;";
        else if (c == '"' && inAttribute)
            out += "&quot;";
        else if (c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0')
            out += "&nbsp;", ++i;
        else
            out += c;
    }
}

}  // namespace

std::string HtmlSerializer::Write(xmlDoc* doc)
{
    m_out.clear();
    m_lateFormEnds.clear();
    if (!doc)
        return {};
    FindLateFormEnds(doc);
    xmlNode* const top = reinterpret_cast<xmlNode*>(doc);
    xmlNode* node = doc->children;
    while (node) {
        // The head's Content-Type META is written anew with the charset.
        const bool skipped = node->parent != top && IsContentTypeMeta(node);
        if (!skipped && node->type == XML_ELEMENT_NODE) {
            WriteStartTag(node);
            if (node->children) {
                node = node->children;
                continue;
            }
            WriteEndTag(node);
        } else if (!skipped) {
            WriteLeaf(node);
        }
        while (!node->next && node->parent && node->parent != top) {
            node = node->parent;
            WriteEndTag(node);
        }
        node = node->next;
    }
    return std::move(m_out);
}

namespace {

bool IsInside(const xmlNode* node, const xmlNode* ancestor)
{
    for (const xmlNode* parent = node->parent; parent; parent = parent->parent) {
        if (parent == ancestor)
            return true;
    }
    return false;
}

}  // namespace

void HtmlSerializer::FindLateFormEnds(xmlDoc* doc)
{
    std::vector<const xmlNode*> controls;
    std::unordered_map<const xmlNode*, std::size_t> lastControl;  // form -> index in controls
    xmlNode* root = reinterpret_cast<xmlNode*>(doc);
    for (xmlNode* node = FirstElement(root); node; node = NextElement(node, root)) {
        if (!IsFormControl(node) || IsInertControl(node))
            continue;
        if (const xmlNode* form = FormOwner(node))
            lastControl[form] = controls.size();
        controls.push_back(node);
    }
    for (const auto& [form, last] : lastControl) {
        // The form's own end tag will do unless its last control lies past
        // it, or a control it does not submit (after a </form> that ended
        // it early) lies before it.
        bool late = !IsInside(controls[last], form);
        for (std::size_t i = last + 1; i < controls.size() && !late; ++i)
            late = FormOwner(controls[i]) != form && IsInside(controls[i], form);
        if (late)
            m_lateFormEnds[controls[last]] = form;
    }
}

void HtmlSerializer::WriteLeaf(xmlNode* node)
{
    switch (node->type) {
    case XML_TEXT_NODE:
        WriteText(Text(node->content), node->parent && HoldsRawText(node->parent));
        break;
    case XML_CDATA_SECTION_NODE:
        WriteText(Text(node->content), true);
        break;
    case XML_COMMENT_NODE:
        m_out += "<!--";
        m_out += Text(node->content);
        m_out += "-->";
        break;
    case XML_PI_NODE:
        m_out += "<?";
        m_out += Text(node->name);
        if (node->content && *node->content)
            m_out += std::string(" ") + Text(node->content);
        m_out += ">";
        break;
    case XML_DTD_NODE:
        WriteDocumentType(reinterpret_cast<xmlDtd*>(node));
        break;
    default:
        break;
    }
}

void HtmlSerializer::WriteDocumentType(xmlDtd* dtd)
{
    m_out += "<!DOCTYPE ";
    m_out += AsciiUpper(Text(dtd->name));
    if (dtd->ExternalID) {
        m_out += std::string(" PUBLIC \"") + Text(dtd->ExternalID) + "\"";
        if (dtd->SystemID)
            m_out += std::string(" \"") + Text(dtd->SystemID) + "\"";
    } else if (dtd->SystemID) {
        m_out += std::string(" SYSTEM \"") + Text(dtd->SystemID) + "\"";
    }
    m_out += ">\r\n";
}

void HtmlSerializer::WriteStartTag(xmlNode* element)
{
    if (IsIgnoredForm(element))
        return;
    m_out += "<" + AsciiUpper(Text(element->name));
    WriteAttributes(element);
    m_out += ">";
    if (HasName(element, "head"))
        WriteHeadMetas(element);
    else if (HasName(element, "html"))
        WriteMissingHead(element);
}

void HtmlSerializer::WriteEndTag(xmlNode* element)
{
    const bool formEndsLater = std::any_of(m_lateFormEnds.begin(), m_lateFormEnds.end(),
                                           [&](const auto& entry) { return entry.second == element; });
    if (!IsVoid(element) && !IsIgnoredForm(element) && !formEndsLater)
        m_out += "</" + AsciiUpper(Text(element->name)) + ">";
    const auto late = m_lateFormEnds.find(element);
    if (late != m_lateFormEnds.end())
        m_out += "</FORM>";
}

void HtmlSerializer::WriteAttributes(xmlNode* element)
{
    for (xmlAttr* attribute = element->properties; attribute; attribute = attribute->next) {
        m_out += " ";
        m_out += Text(attribute->name);
        if (!attribute->children)
            continue;  // a bare flag such as CHECKED
        xmlChar* raw = xmlNodeListGetString(element->doc, attribute->children, 1);
        const std::string value = Text(raw);
        xmlFree(raw);
        if (IsBareFlag(Text(attribute->name), value))
            continue;
        if (IsPlainWord(value)) {
            m_out += "=" + value;
        } else {
            m_out += "=\"";
            AppendEscaped(m_out, value, true);
            m_out += "\"";
        }
    }
}

void HtmlSerializer::WriteHeadMetas(xmlNode* head)
{
    m_out += "<META http-equiv=Content-Type content=\"text/html; charset=" + m_charset + "\">";
    for (xmlNode* child = head->children; child; child = child->next) {
        if (IsGeneratorMeta(child))
            return;
    }
    m_out += kGeneratorMeta;
}

void HtmlSerializer::WriteMissingHead(xmlNode* html)
{
    for (xmlNode* child = html->children; child; child = child->next) {
        if (HasName(child, "head"))
            return;
    }
    m_out += "<HEAD>";
    WriteHeadMetas(html);
    m_out += "</HEAD>";
}

void HtmlSerializer::WriteText(const char* text, bool raw)
{
    if (raw)
        m_out += text;
    else
        AppendEscaped(m_out, text, false);
}

}  // namespace pollenta::html
