#pragma once
// Writes a parsed page back as markup, the way the pages of this system are
// expected to look: tag names in upper case, attribute values bare when
// they are plain words and in double quotes otherwise, a head that starts
// with a Content-Type META naming the charset the page is saved in and that
// holds a generator META. Script and style content, comments and the
// document type are written as they were read.

#include <libxml/tree.h>

#include <string>

namespace pollenta::html {

class HtmlSerializer {
public:
    explicit HtmlSerializer(std::string charset) : m_charset(std::move(charset)) {}

    // UTF-8 text; the caller encodes it in the charset.
    std::string Write(xmlDoc* doc);

private:
    void WriteNode(xmlNode* node);
    void WriteElement(xmlNode* element);
    void WriteAttributes(xmlNode* element);
    void WriteHeadMetas(xmlNode* head);
    void WriteMissingHead(xmlNode* html);
    void WriteDocumentType(xmlDtd* dtd);
    void WriteText(const char* text, bool raw);

    std::string m_charset;
    std::string m_out;
};

}  // namespace pollenta::html
