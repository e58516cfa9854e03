#include "form/CWEFormField.h"

bool CWEFormField::Set(const std::string& name, const std::string& value, UINT codePage)
{
    if (!SetAsIs(name, value))
        return false;
    const FormTextDecoding nameDecoding = DecodeFormText(m_strName, codePage);
    const FormTextDecoding valueDecoding = DecodeFormText(m_strValue, codePage);
    m_decoding = nameDecoding != FormTextDecoding::Decoded ? nameDecoding : valueDecoding;
    return true;
}

bool CWEFormField::SetAsIs(const std::string& name, const std::string& value)
{
    if (name.empty())
        return false;
    m_strName = name;
    m_strValue = value;
    m_bUsed = false;
    m_decoding = FormTextDecoding::Decoded;
    return true;
}
