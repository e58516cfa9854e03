#pragma once
// One macro of a copy with its value in every form a text may need: plain
// (subjects, plain bodies), HTML, RTF and URL-escaped, each 8-bit and, but
// for RTF, UTF-16.

#include <string>

class CZrUniformMacro {
public:
    void Create(const std::string& name, const std::string& value);

    std::string m_strName;
    std::u16string m_wstrName;
    std::string m_strValue;
    std::u16string m_wstrValue;
    std::string m_strHtml;
    std::u16string m_wstrHtml;
    std::string m_strRtf;
    std::string m_strEscape;
    std::u16string m_wstrEscape;
};
