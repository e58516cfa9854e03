#include "CZrUniformMacro.h"

#include "sender/MacroText.h"

#include "win/CodePage.h"

void CZrUniformMacro::Create(const std::string& name, const std::string& value)
{
    m_strName = name;
    m_wstrName = ToWide(name, CP_ACP);
    m_strValue = value;
    m_wstrValue = ToWide(value, CP_ACP);
    m_strHtml = EscapeTextForHtml(value);
    m_wstrHtml = ToWide(m_strHtml, CP_ACP);
    m_strRtf = EscapeTextForRtf(value);
    m_strEscape = EscapeTextForUrl(value);
    m_wstrEscape = ToWide(m_strEscape, CP_ACP);
}
