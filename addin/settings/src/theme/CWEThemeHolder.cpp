#include "theme/CWEThemeHolder.h"

#include "theme/IsThemeLibraryAvailable.h"

#include "ui/Paint.h"

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

void CWEThemeHolder::OnMessage(UINT message)
{
    if (message == WM_THEMECHANGED && m_hWnd) {
        Close();
        Open(m_hWnd);
    }
}
