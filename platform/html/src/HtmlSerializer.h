#pragma once
// Writes a parsed page back as markup, the way the pages of this system are
// expected to look: tag names in upper case, attribute values bare when
// they are plain words and in double quotes otherwise, a head that starts
// with a Content-Type META naming the charset the page is saved in and that
// holds a generator META. Script and style content, comments and the
// document type are written as they were read.
//
// Forms are written so that a browser reading the result submits the same
// controls with them: a <form> tag that was no form (inside an open one)
// is left out, and the </FORM> of a form whose controls go on after its
// element ends (a form opened in one table cell) follows its last control.
// The tree is walked without recursion, however deep the page nests.

#include <libxml/tree.h>

#include <string>
#include <unordered_map>

namespace pollenta::html {

class HtmlSerializer {
public:
    explicit HtmlSerializer(std::string charset) : m_charset(std::move(charset)) {}

    // UTF-8 text; the caller encodes it in the charset.
    std::string Write(xmlDoc* doc);

private:
    void WriteLeaf(xmlNode* node);
    void WriteStartTag(xmlNode* element);
    void WriteEndTag(xmlNode* element);
    void FindLateFormEnds(xmlDoc* doc);
    void WriteAttributes(xmlNode* element);
    void WriteHeadMetas(xmlNode* head);
    void WriteMissingHead(xmlNode* html);
    void WriteDocumentType(xmlDtd* dtd);
    void WriteText(const char* text, bool raw);

    std::string m_charset;
    std::string m_out;
    // The last control of a form that lies after the form's element, and
    // that form.
    std::unordered_map<const xmlNode*, const xmlNode*> m_lateFormEnds;
};

}  // namespace pollenta::html
