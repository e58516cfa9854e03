#pragma once
// The wizard's hold on one HTML page: loaded from a file, read and changed
// through the document, saved to a file. Nothing on the page runs and
// nothing is fetched.

#include "html/HtmlDocument.h"

#include <memory>
#include <string>

class CWEHTMLDocument {
public:
    // Makes the document if there is none yet.
    void Create();
    // Throws the unexpected error for an empty path and WE_E_FILE_NOT_FOUND
    // for a missing file, before anything is parsed; WE_E_MSHTML when the
    // page cannot be read.
    void Load(const std::string& path);
    // The page from its bytes; WE_E_MSHTML when they cannot be read.
    void LoadFromBytes(const std::string& bytes);
    // WE_E_FILE_SAVE when the file cannot be written.
    void Save(const std::string& path);

    // Null until Create.
    pollenta::html::HtmlDocument* Document() const { return m_pDocument.get(); }

private:
    std::unique_ptr<pollenta::html::HtmlDocument> m_pDocument;
};
