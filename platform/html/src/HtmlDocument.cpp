#include "html/HtmlDocument.h"

#include "AsciiText.h"
#include "CharsetDetector.h"
#include "FormOwnership.h"
#include "HtmlSerializer.h"
#include "TextCodec.h"
#include "TreeWalk.h"

#include "html/EncodingLabels.h"

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>

#include <climits>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sys/stat.h>

namespace pollenta::html {

namespace {

// The parser repairs what old editors wrote and never looks beyond the
// bytes it is given.
constexpr int kParseOptions = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                              HTML_PARSE_NODEFDTD | HTML_PARSE_IGNORE_ENC | XML_PARSE_HUGE;

void InitParserOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

bool IsRegularFile(const std::string& path)
{
    struct stat status = {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// A page with nothing in it still has the frame a browser gives it.
xmlDoc* EmptyPage()
{
    xmlDoc* doc = htmlNewDocNoDtD(nullptr, nullptr);
    if (!doc)
        return nullptr;
    xmlNode* html = xmlNewDocNode(doc, nullptr, reinterpret_cast<const xmlChar*>("html"), nullptr);
    xmlDocSetRootElement(doc, html);
    xmlNewChild(html, nullptr, reinterpret_cast<const xmlChar*>("body"), nullptr);
    return doc;
}

std::vector<HtmlElement> ElementsNamed(xmlDoc* doc, const char* lowerName)
{
    std::vector<HtmlElement> found;
    xmlNode* root = reinterpret_cast<xmlNode*>(doc);
    for (xmlNode* node = doc ? FirstElement(root) : nullptr; node; node = NextElement(node, root)) {
        if (!lowerName || HasName(node, lowerName))
            found.emplace_back(node);
    }
    return found;
}

}  // namespace

HtmlDocument::HtmlDocument()
{
    InitParserOnce();
}

HtmlDocument::~HtmlDocument()
{
    xmlFreeDoc(m_doc);
}

HRESULT HtmlDocument::Fail(HRESULT hr, std::string text)
{
    m_lastError = std::move(text);
    return hr;
}

HRESULT HtmlDocument::Load(const std::string& path)
{
    if (!IsRegularFile(path))
        return Fail(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), "The file \"" + path + "\" does not exist.");
    std::ifstream file(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return Fail(E_FAIL, "The file \"" + path + "\" cannot be read.");
    return LoadFromBytes(bytes);
}

HRESULT HtmlDocument::LoadFromBytes(std::string_view bytes)
{
    xmlFreeDoc(m_doc);
    m_doc = nullptr;
    m_charset.clear();
    m_lastError.clear();
    if (bytes.size() > static_cast<std::size_t>(INT_MAX) / 2)
        return Fail(E_OUTOFMEMORY, "The page is too large.");
    const DetectedCharset detected = DetectCharset(bytes);
    std::string utf8;
    if (!DecodeToUtf8(bytes.substr(detected.bomLength), detected.name, utf8))
        return Fail(E_FAIL, "The charset \"" + detected.name + "\" is not known.");
    if (!utf8.empty())
        m_doc = htmlReadMemory(utf8.data(), static_cast<int>(utf8.size()), nullptr, "UTF-8", kParseOptions);
    if (!m_doc || !xmlDocGetRootElement(m_doc)) {
        xmlFreeDoc(m_doc);
        m_doc = EmptyPage();
    }
    if (!m_doc)
        return Fail(E_OUTOFMEMORY, "There is not enough memory for the page.");
    MarkFormOwners(m_doc, utf8);
    m_charset = detected.name;
    return S_OK;
}

std::string HtmlDocument::Serialize() const
{
    const std::string charset = m_charset.empty() ? "utf-8" : m_charset;
    const std::string utf8 = HtmlSerializer(charset).Write(m_doc);
    std::string bytes;
    if (!EncodeFromUtf8(utf8, charset, bytes))
        return utf8;
    // UTF-16 is known only by its byte-order mark; without it the page could
    // not be read again.
    if (charset == "utf-16le")
        return "\xFF\xFE" + bytes;
    if (charset == "utf-16be")
        return "\xFE\xFF" + bytes;
    return bytes;
}

HRESULT HtmlDocument::Save(const std::string& path)
{
    const std::string bytes = Serialize();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return Fail(E_ACCESSDENIED, "The file \"" + path + "\" cannot be created.");
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file)
        return Fail(STG_E_MEDIUMFULL, "The file \"" + path + "\" cannot be written.");
    return S_OK;
}

bool HtmlDocument::SetCharset(std::string_view charset)
{
    const std::string encoding = EncodingOfLabel(charset);
    const std::string name = encoding.empty() ? AsciiLower(AsciiTrim(charset)) : encoding;
    if (!IsKnownCharset(name))
        return false;
    m_charset = name;
    return true;
}

std::string HtmlDocument::Title() const
{
    const std::vector<HtmlElement> titles = ElementsNamed(m_doc, "title");
    return titles.empty() ? std::string() : titles.front().InnerText();
}

std::vector<HtmlElement> HtmlDocument::Forms() const
{
    std::vector<HtmlElement> forms = ElementsNamed(m_doc, "form");
    std::erase_if(forms, [](const HtmlElement& form) { return IsIgnoredForm(form.Node()); });
    return forms;
}

std::vector<HtmlElement> HtmlDocument::All() const
{
    return ElementsNamed(m_doc, nullptr);
}

}  // namespace pollenta::html
