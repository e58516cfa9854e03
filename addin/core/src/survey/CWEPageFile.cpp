#include "survey/CWEPageFile.h"

#include "util/MakeGuidText.h"
#include "util/ReadRegString.h"

#include "win/CaseFolding.h"
#include "win/CodePage.h"
#include "win/Registry.h"

namespace {

// The text after the last dot, unless the dot opens or ends the name.
std::string ExtensionOf(const std::string& lowerName)
{
    const std::size_t dot = lowerName.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == lowerName.size())
        return "";
    return lowerName.substr(dot + 1);
}

std::string ContentTypeOf(const std::string& extension)
{
    std::string type;
    if (extension.empty())
        return type;
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, ("." + extension).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return type;
    ReadRegString(key, "Content Type", type);
    RegCloseKey(key);
    return type;
}

}  // namespace

std::string LowerText(const std::string& text)
{
    std::u16string wide = ToWide(text, CP_ACP);
    for (char16_t& unit : wide)
        if (unit < 0xD800 || unit >= 0xE000)
            unit = static_cast<char16_t>(FoldCase(unit));
    return ToNarrow(wide, CP_ACP);
}

void CWEPageFile::Set(const std::string& name, const std::string& path)
{
    m_strName = name;
    m_strLowerName = LowerText(name);
    m_strPath = path;
    m_strExtension = ExtensionOf(m_strLowerName);
    m_strMimeType = ContentTypeOf(m_strExtension);
    m_strContentId = MakeGuidTextBare();
    m_bUnreferenced = false;
}
