#include "theme/CWEThemeHolder.h"

#include "theme/IsThemeLibraryAvailable.h"

void CWEThemeHolder::Open(HWND hwnd)
{
    m_hWnd = hwnd;
    if (!m_hTheme && hwnd && IsThemeLibraryAvailable())
        m_hTheme = OpenThemeData(hwnd, m_strClassList.c_str());
}

void CWEThemeHolder::Close()
{
    if (m_hTheme)
        CloseThemeData(m_hTheme);
    m_hTheme = nullptr;
}
