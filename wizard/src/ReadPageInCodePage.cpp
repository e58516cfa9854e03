#include "wizard/ReadPageInCodePage.h"

#include "MetaTags.h"
#include "WizardText.h"

#include "wizard/CWEException.h"

namespace {

std::string WithMetaCharset(const std::string& text, const std::string& charset)
{
    std::size_t end = 0;
    const std::size_t pos = FindMeta(text, {"http-equiv", "content-type"}, end);
    if (pos == std::string::npos)
        WE_THROW_UNEXPECTED();
    return text.substr(0, pos) + "<META http-equiv=Content-Type content=\"text/html; charset=" + charset + "\">" +
           text.substr(end);
}

}  // namespace

void ReadPageInCodePage(const CWEHTMLDocument& page, const std::string& charset, CWEHTMLDocument& reread)
{
    if (!page.Document())
        WE_THROW_UNEXPECTED();
    const pollenta::html::HtmlDocument& document = *page.Document();
    const std::string current = LowerAscii(document.Charset());
    const std::string chosen = LowerAscii(charset);
    reread.Create();
    if (chosen.empty() || chosen == current || current.rfind("utf-16", 0) == 0)
        reread.LoadFromBytes(document.Serialize());
    else
        reread.LoadFromBytes(WithMetaCharset(FromFirstTag(document.Serialize()), chosen));
}
