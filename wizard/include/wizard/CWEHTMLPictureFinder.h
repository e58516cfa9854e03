#pragma once
// Walks every element of a loaded page for the picture files it refers to
// (image sources, table, cell and body backgrounds, image inputs,
// background sounds, CSS background and list-style images in inline
// styles and in <style> blocks), asks a callback once per file and writes
// its answer back into every reference to that file. A file URL's path is
// percent-decoded here, once, so that the check and the copy look at the
// same file.

#include "wizard/CWEPictureCallback.h"

#include "html/HtmlDocument.h"

#include <memory>
#include <string>

class CWEPictureList;

class CWEHTMLPictureFinder {
public:
    CWEHTMLPictureFinder();
    ~CWEHTMLPictureFinder();

    // All but the callback must be given; the unexpected error otherwise.
    void Init(pollenta::html::HtmlDocument* document, const std::string& pagePath, CWEErrors* errors,
              CWEProjectSettings* data, CWEPictureCallback* callback);
    // 0 when the walk completed; else the id of what stopped it, which is
    // in the errors collection.
    DWORD Find();

private:
    void FindInAttributes(pollenta::html::HtmlElement& element);
    void FindInStyle(pollenta::html::HtmlElement& element);
    void FindInStyleSheet(pollenta::html::HtmlElement& element);
    int Resolve(std::string& reference);
    std::string LocalPath(const std::string& combined) const;

    pollenta::html::HtmlDocument* m_pDocument = nullptr;
    std::string m_strPagePath;
    CWEErrors* m_pErrors = nullptr;
    CWEProjectSettings* m_pData = nullptr;
    CWEPictureCallback* m_pCallback = nullptr;
    int m_nNumber = 0;
    std::unique_ptr<CWEPictureList> m_pPictures;
};
