#include "wizard/CWEHTMLPictureFinder.h"

#include "CWEPictureList.h"
#include "StyleSheetPictures.h"

#include "wizard/UrlDecodeInPlace.h"

#include "wizard/WEUtils.h"
#include "wizard/WizardIds.h"

#include "html/HtmlStyle.h"
#include "html/InternetUrl.h"

using pollenta::html::HtmlElement;
using pollenta::html::HtmlStyle;

namespace {

struct PictureAttribute {
    const char* tag;
    const char* attribute;
};

const PictureAttribute kPictureAttributes[] = {
    {"IMG", "src"},         {"IMG", "lowsrc"}, {"TABLE", "background"}, {"TD", "background"}, {"TH", "background"},
    {"BODY", "background"}, {"INPUT", "src"},  {"INPUT", "lowsrc"},     {"BGSOUND", "src"},
};

bool StartsWithFileScheme(const std::string& text)
{
    return text.size() >= 5 && (text.compare(0, 5, "file:") == 0 || text.compare(0, 5, "FILE:") == 0);
}

}  // namespace

CWEHTMLPictureFinder::CWEHTMLPictureFinder() : m_pPictures(std::make_unique<CWEPictureList>()) {}

CWEHTMLPictureFinder::~CWEHTMLPictureFinder() = default;

void CWEHTMLPictureFinder::Init(pollenta::html::HtmlDocument* document, const std::string& pagePath, CWEErrors* errors,
                                CWEProjectSettings* data, CWEPictureCallback* callback)
{
    if (!document || pagePath.empty() || !errors || !data)
        WE_THROW_UNEXPECTED();
    m_pDocument = document;
    m_strPagePath = pagePath;
    m_pErrors = errors;
    m_pData = data;
    m_pCallback = callback;
    m_nNumber = 0;
    m_pPictures->RemoveAll();
}

DWORD CWEHTMLPictureFinder::Find()
{
    try {
        if (!m_pDocument)
            WE_THROW_UNEXPECTED();
        for (HtmlElement element : m_pDocument->All()) {
            FindInAttributes(element);
            FindInStyle(element);
            if (element.Is("STYLE"))
                FindInStyleSheet(element);
        }
        return 0;
    } catch (const CWEException& exception) {
        m_pErrors->AddException(exception);
        return exception.GetId();
    } catch (const std::exception& exception) {
        m_pErrors->AddOther(exception);
        return WE_E_UNEXPECTED;
    }
}

void CWEHTMLPictureFinder::FindInAttributes(HtmlElement& element)
{
    for (const PictureAttribute& entry : kPictureAttributes) {
        if (!element.Is(entry.tag) || !element.HasAttribute(entry.attribute))
            continue;
        std::string reference = element.GetAttribute(entry.attribute);
        if (Resolve(reference))
            element.SetAttribute(entry.attribute, reference);
    }
}

void CWEHTMLPictureFinder::FindInStyle(HtmlElement& element)
{
    if (!element.HasAttribute("style"))
        return;
    HtmlStyle style(element);
    std::string reference = CssUrlValue(style.BackgroundImage());
    if (!reference.empty() && Resolve(reference))
        style.SetBackgroundImage("url('" + reference + "')");
    reference = CssUrlValue(style.ListStyleImage());
    if (!reference.empty() && Resolve(reference))
        style.SetListStyleImage("url('" + reference + "')");
}

void CWEHTMLPictureFinder::FindInStyleSheet(HtmlElement& element)
{
    bool changed = false;
    const std::string css = ReplaceStyleSheetPictures(element.RawText(), [&](std::string& reference) {
        const bool resolved = Resolve(reference) != 0;
        changed = changed || resolved;
        return resolved;
    });
    if (changed)
        element.SetRawText(css);
}

std::string CWEHTMLPictureFinder::LocalPath(const std::string& combined) const
{
    if (!StartsWithFileScheme(combined))
        return combined;
    std::string path;
    if (!PathCreateFromUrl(combined, path))
        WE_THROW_UNEXPECTED();
    // A file URL names the file by its percent-decoded path, once.
    UrlDecodeInPlace(path);
    return path;
}

int CWEHTMLPictureFinder::Resolve(std::string& reference)
{
    if (reference.empty())
        return 0;
    std::string combined;
    if (!CombineUrl(m_strPagePath.c_str(), reference.c_str(), combined, ICU_NO_ENCODE))
        WE_THROW_UNEXPECTED();
    const std::string path = LocalPath(combined);
    if (path.empty())
        return 0;
    CWEPicture picture(path);
    if (const CWEPicture* known = m_pPictures->Get(picture.m_nKey)) {
        reference = known->m_strReference;
        return 1;
    }
    if (!m_pCallback)
        return 0;
    bool changed = false;
    if (!m_pCallback->OnPicture(picture, *m_pData, *m_pErrors, changed, ++m_nNumber))
        return 0;
    picture.m_strReference = changed ? picture.m_strDestination : CWEPicture::GetFileName(picture.m_strDestination);
    reference = picture.m_strReference;
    m_pPictures->Put(picture.m_nKey, new CWEPicture(picture));
    return 1;
}
