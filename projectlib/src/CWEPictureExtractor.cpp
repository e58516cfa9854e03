#include "CWEPictureExtractor.h"

#include "AnsiText.h"

#include "com/ComVariant.h"
#include "com/DispatchClient.h"
#include "com/Text.h"
#include "win/CodePage.h"

#include <iterator>

namespace {

// What Access shows in place of a path when there is no picture, in
// English and in Russian.
constexpr const char16_t* kNoPictureTexts[] = {u"(none)", u"(\u043E\u0442\u0441\u0443\u0442\u0441\u0442\u0432\u0443\u0435\u0442)"};

constexpr const char* kAlignments[] = {
    "background-position: top left",    "background-position: top right",    "background-position: center center",
    "background-position: bottom left", "background-position: bottom right", "background-position: center center",
};

// The property converted to `type`, or VT_EMPTY when it cannot be read as one.
CComVariant ReadProperty(IDispatch* object, const char* name, VARTYPE type)
{
    CComVariant value;
    if (FAILED(pollenta::com::GetProperty(object, name, &value)) || FAILED(value.ChangeType(type)))
        return CComVariant();
    return value;
}

std::optional<LONG> ReadNumber(IDispatch* object, const char* name)
{
    CComVariant value = ReadProperty(object, name, VT_I4);
    return value.vt == VT_I4 ? std::optional<LONG>(value.lVal) : std::nullopt;
}

}  // namespace

std::string CWEPictureExtractor::PictureCss(std::optional<LONG> alignment, std::optional<bool> tiling)
{
    std::string css;
    if (alignment && *alignment >= 0 && *alignment < static_cast<LONG>(std::size(kAlignments)))
        css = kAlignments[*alignment];
    if (tiling) {
        if (!css.empty())
            css += "; ";
        css += *tiling ? "background-repeat: repeat" : "background-repeat: no-repeat";
    }
    return css;
}

std::string CWEPictureExtractor::PictureFile(IDispatch* accessObject, const std::u16string& picture,
                                             std::vector<LONG>& warnings)
{
    LONG warning = 0;
    std::string name;
    if (ReadNumber(accessObject, "PictureType").value_or(0) != 0) {
        // Linked: the text is the path of the file, in the file system's UTF-8.
        const std::string path = ToNarrow(picture, CP_UTF8);
        if (picture.size() < 2)
            warning = kWarnNoPicture;
        else if (CWEPictureConverter::IsWebPicture(path))
            name = m_converter.CopyLinked(path, warning);
        else
            name = m_converter.ConvertLinked(path, warning);
    } else {
        CComVariant data;
        if (FAILED(pollenta::com::GetProperty(accessObject, "PictureData", &data)))
            data.Clear();
        name = m_converter.ConvertEmbedded(data, warning);
    }
    if (warning)
        warnings.push_back(warning);
    return name;
}

bool CWEPictureExtractor::GetPicture(IDispatch* accessObject, Picture& picture, std::vector<LONG>& warnings)
{
    picture = Picture();
    CComVariant text = ReadProperty(accessObject, "Picture", VT_BSTR);
    if (text.vt != VT_BSTR) {
        warnings.push_back(kWarnNoPicture);
        return false;
    }
    const std::u16string path(text.bstrVal ? text.bstrVal : u"", SysStringLen(text.bstrVal));
    const std::string ansi = pollenta::com::AnsiFromUtf16(path);
    for (const char16_t* none : kNoPictureTexts)
        if (AnsiEqualNoCase(ansi, pollenta::com::AnsiFromUtf16(none)))
            return false;
    picture.fileName = PictureFile(accessObject, path, warnings);
    if (picture.fileName.empty())
        return false;
    if (ReadNumber(accessObject, "SizeMode").value_or(0) != 0)
        warnings.push_back(kWarnSizeModeIgnored);
    CComVariant tiling = ReadProperty(accessObject, "PictureTiling", VT_BOOL);
    picture.css = PictureCss(ReadNumber(accessObject, "PictureAlignment"),
                             tiling.vt == VT_BOOL ? std::optional<bool>(tiling.boolVal != VARIANT_FALSE) : std::nullopt);
    return true;
}
