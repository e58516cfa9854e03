#pragma once
// A generated page parsed with libxml2's HTML parser, the way a browser
// reads it, with XPath for the checks. Tag and attribute names are lower
// case after parsing.

#include <libxml/HTMLparser.h>
#include <libxml/xpath.h>

#include <string>
#include <vector>

class PageDocument {
public:
    explicit PageDocument(const std::string& path)
        : m_doc(htmlReadFile(path.c_str(), "UTF-8", HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET))
    {
    }
    ~PageDocument()
    {
        if (m_doc)
            xmlFreeDoc(m_doc);
    }
    PageDocument(const PageDocument&) = delete;
    PageDocument& operator=(const PageDocument&) = delete;

    bool Ok() const { return m_doc != nullptr; }

    // The value of attribute `name` of every element the XPath finds.
    std::vector<std::string> Attributes(const std::string& xpath, const char* name) const
    {
        std::vector<std::string> values;
        for (xmlNodePtr node : Nodes(xpath)) {
            xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
            values.push_back(value ? reinterpret_cast<const char*>(value) : "<none>");
            xmlFree(value);
        }
        return values;
    }
    std::string Attribute(const std::string& xpath, const char* name) const
    {
        std::vector<std::string> values = Attributes(xpath, name);
        return values.size() == 1 ? values[0] : "<" + std::to_string(values.size()) + " elements>";
    }
    bool Has(const std::string& xpath, const char* name) const
    {
        std::vector<xmlNodePtr> nodes = Nodes(xpath);
        return nodes.size() == 1 && xmlHasProp(nodes[0], reinterpret_cast<const xmlChar*>(name));
    }
    std::string Text(const std::string& xpath) const
    {
        std::vector<xmlNodePtr> nodes = Nodes(xpath);
        if (nodes.size() != 1)
            return "<" + std::to_string(nodes.size()) + " elements>";
        xmlChar* text = xmlNodeGetContent(nodes[0]);
        std::string result = text ? reinterpret_cast<const char*>(text) : "";
        xmlFree(text);
        return result;
    }
    size_t Count(const std::string& xpath) const { return Nodes(xpath).size(); }

private:
    std::vector<xmlNodePtr> Nodes(const std::string& xpath) const
    {
        std::vector<xmlNodePtr> nodes;
        if (!m_doc)
            return nodes;
        xmlXPathContextPtr context = xmlXPathNewContext(m_doc);
        xmlXPathObjectPtr found = xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(xpath.c_str()), context);
        if (found && found->nodesetval)
            for (int i = 0; i < found->nodesetval->nodeNr; ++i)
                nodes.push_back(found->nodesetval->nodeTab[i]);
        xmlXPathFreeObject(found);
        xmlXPathFreeContext(context);
        return nodes;
    }

    htmlDocPtr m_doc;
};
