#pragma once
// An HTML page held as a tree, without a window: loaded from a file, read
// and changed through its elements, and written back. Nothing on the page is
// run or fetched: no script, applet, object, style sheet or picture.
//
//     HtmlDocument document;
//     if (FAILED(document.Load("/home/ann/survey.htm"))) report(document.LastError());
//     HtmlForm form(document.Forms().at(0));
//     document.SetCharset("utf-8");
//     document.Save("/home/ann/project/index.html");
//
// Loading finds the charset from a byte-order mark, else from the page's
// META (its label read as browsers read labels: "iso-8859-1" is
// windows-1252, "shift_jis" is windows-31J), else takes UTF-8 when the bytes are valid UTF-8 and windows-1252
// when they are not. Saving writes the page in its current charset with
// upper-case tag names, a Content-Type META naming that charset and a
// generator META; everything else keeps its content.

#include "html/HtmlElement.h"
#include "win/Errors.h"
#include "win/Types.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct _xmlDoc;

namespace pollenta::html {

class HtmlDocument {
public:
    HtmlDocument();
    ~HtmlDocument();
    HtmlDocument(const HtmlDocument&) = delete;
    HtmlDocument& operator=(const HtmlDocument&) = delete;

    // Replaces the content. HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) for a
    // missing file, E_OUTOFMEMORY, or E_FAIL with LastError saying why. On
    // failure the document is empty.
    HRESULT Load(const std::string& path);
    HRESULT LoadFromBytes(std::string_view bytes);
    // Writes Serialize() to the file, created or truncated.
    HRESULT Save(const std::string& path);
    // The page's bytes in its current charset; a UTF-16 page starts with
    // its byte-order mark.
    std::string Serialize() const;

    bool IsLoaded() const { return m_doc != nullptr; }
    // The encoding's name in lower case, e.g. "windows-1251"; "windows-1252"
    // for a page labelled "iso-8859-1".
    const std::string& Charset() const { return m_charset; }
    // Changes the charset that Serialize writes in and names; false (and no
    // change) for a charset iconv does not know.
    bool SetCharset(std::string_view charset);
    std::string Title() const;
    // The FORM elements a browser makes, in document order: a <form> tag
    // written inside an open form is not one.
    std::vector<HtmlElement> Forms() const;
    // Every element, in document order.
    std::vector<HtmlElement> All() const;

    const std::string& LastError() const { return m_lastError; }

private:
    HRESULT Fail(HRESULT hr, std::string text);

    _xmlDoc* m_doc = nullptr;
    std::string m_charset;
    std::string m_lastError;
};

}  // namespace pollenta::html
