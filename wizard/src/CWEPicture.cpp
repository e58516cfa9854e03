#include "wizard/CWEPicture.h"

#include "wizard/CWEException.h"

#include "keytree/CalcStringCRC64.h"

CWEPicture::CWEPicture(const std::string& sourcePath)
    : m_nKey(CalcStringCRC64(sourcePath.c_str())), m_strSource(sourcePath), m_strDestination(sourcePath)
{
}

std::string CWEPicture::GetFileName(const std::string& path)
{
    if (path.empty())
        return {};
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        WE_THROW_UNEXPECTED();
    return path.substr(slash + 1);
}
