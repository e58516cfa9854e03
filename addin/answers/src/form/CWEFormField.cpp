#include "form/CWEFormField.h"

#include "form/DecodeFormText.h"

bool CWEFormField::Set(const std::string& name, const std::string& value)
{
    if (name.empty())
        return false;
    m_strName = name;
    m_strValue = value;
    m_bUsed = false;
    DecodeFormText(m_strName);
    DecodeFormText(m_strValue);
    return true;
}
