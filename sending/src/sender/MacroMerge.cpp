#include "MacroMerge.h"

#include "BodyProperty.h"

#include "mapi/MapiUtil.h"

namespace {

constexpr const char* kNameSeparators = " ;,.:";

void MergeTextProperty(IMessage* message, ULONG tag, const MacroValueList& values)
{
    std::string text;
    if (FAILED(ReadTextProperty(message, tag, text)) || text.empty())
        return;
    WriteTextProperty(message, tag, ReplaceMacroKeys(text, values));
}

void MergeRtf(IMessage* message, const MacroValueList& values)
{
    std::string rtf;
    if (FAILED(ReadRtfBody(message, rtf, false)) || rtf.empty())
        return;
    WriteRtfBody(message, ReplaceMacroKeys(rtf, EscapedMacroList(values, EscapeTextForRtf)));
}

// PR_BODY_HTML_A and PR_HTML are one property seen as text or as bytes.
void MergeHtml(IMessage* message, const MacroValueList& values)
{
    const MacroValueList html = EscapedMacroList(values, EscapeTextForHtml);
    std::string text;
    if (SUCCEEDED(ReadTextProperty(message, PR_HTML, text)) && !text.empty())
        WriteTextProperty(message, PR_HTML, ReplaceMacroKeys(text, html));
    else
        MergeTextProperty(message, PR_BODY_HTML_A, html);
}

}  // namespace

HRESULT MergeSubjectMacros(IMessage* message, const MacroValueList& values)
{
    LPSPropValue subject = nullptr;
    HRESULT hr = HrGetOneProp(message, PR_SUBJECT_A, &subject);
    // A message written without a subject has none to fill in.
    if (hr == MAPI_E_NOT_FOUND)
        return S_OK;
    if (FAILED(hr) || !subject || PROP_TYPE(subject->ulPropTag) == PT_ERROR) {
        MAPIFreeBuffer(subject);
        return E_FAIL;
    }
    const std::string text = subject->Value.lpszA ? subject->Value.lpszA : "";
    MAPIFreeBuffer(subject);
    if (text.empty())
        return S_OK;
    std::string replaced = ReplaceMacroKeys(text, values);
    SPropValue value{};
    value.ulPropTag = PR_SUBJECT_A;
    value.Value.lpszA = replaced.data();
    return HrSetOneProp(message, &value);
}

// The RTF body says which format the message is written in. The plain body
// is never rebuilt from the RTF here, and the copy goes out with its plain
// and HTML bodies side by side, so each body it carries gets the values.
void MergeMacros(IMessage* message, const MacroValueList& values)
{
    BodyFormat format = BodyFormat::Plain;
    const bool hasRtf = SUCCEEDED(DetectBodyFormat(message, format));
    MergeTextProperty(message, PR_BODY_A, values);
    if (hasRtf && format != BodyFormat::Plain)
        MergeRtf(message, values);
    if (!hasRtf || format == BodyFormat::Html)
        MergeHtml(message, values);
}

std::string FirstNameOf(const std::string& name)
{
    return name.substr(0, name.find_first_of(kNameSeparators));
}

std::string LastNameOf(const std::string& name)
{
    const std::size_t last = name.find_last_of(kNameSeparators);
    return last == std::string::npos ? name : name.substr(last + 1);
}
