#include "wizard/CWEEmailValidator.h"

bool CWEEmailValidator::IsValid() const
{
    return !m_strAddress.empty() && HasOnlyValidChars() && HasAt() && HasSingleAt() && AtNotFirst() && AtNotLast() &&
           HasDomainDot() && NoUnderscoreInDomain();
}

bool CWEEmailValidator::HasOnlyValidChars() const
{
    for (char c : m_strAddress) {
        const bool valid = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '@' ||
                           c == '-' || c == '.' || c == '_';
        if (!valid)
            return false;
    }
    return true;
}

bool CWEEmailValidator::HasAt() const { return m_strAddress.find('@') != std::string::npos; }

bool CWEEmailValidator::HasSingleAt() const
{
    return !m_strAddress.empty() && m_strAddress.find('@') == m_strAddress.rfind('@');
}

bool CWEEmailValidator::AtNotFirst() const { return !m_strAddress.empty() && m_strAddress.find('@') != 0; }

bool CWEEmailValidator::AtNotLast() const
{
    return !m_strAddress.empty() && m_strAddress.find('@') != m_strAddress.size() - 1;
}

bool CWEEmailValidator::HasDomainDot() const
{
    const std::size_t at = m_strAddress.find('@');
    const std::size_t dot = m_strAddress.rfind('.');
    if (m_strAddress.empty() || at == std::string::npos || dot == std::string::npos)
        return false;
    return at + 1 < dot && dot < m_strAddress.size() - 1;
}

bool CWEEmailValidator::NoUnderscoreInDomain() const
{
    const std::size_t at = m_strAddress.find('@');
    const std::size_t underscore = m_strAddress.rfind('_');
    if (m_strAddress.empty())
        return false;
    return underscore == std::string::npos || (at != std::string::npos && underscore <= at);
}
