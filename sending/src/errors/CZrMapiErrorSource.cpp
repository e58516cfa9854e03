#include "CZrMapiErrorSource.h"

#include "SystemErrorText.h"

bool CZrMapiErrorSource::Load(const std::string& path)
{
    m_bLoaded = m_table.LoadFromFile(path);
    return m_bLoaded;
}

void CZrMapiErrorSource::Unload()
{
    m_table.Attach(nullptr, 0);
    m_bLoaded = false;
}

std::string CZrMapiErrorSource::Text(HRESULT hr) const
{
    std::size_t length = 0;
    if (const char* text = m_table.FindString(static_cast<std::uint32_t>(hr), &length))
        return std::string(text, length);
    return SystemErrorText(hr);
}

CZrMapiErrorSource& MapiErrorSource()
{
    static CZrMapiErrorSource source;
    return source;
}
