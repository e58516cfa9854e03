#include "controls/WESizeGrip.h"
#include "ui/Gdi.h"

CWESizeGrip::CWESizeGrip() : m_sizeGrip{GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)} {}

BOOL CWESizeGrip::CreateSizeGrip(HWND parent)
{
    m_hGrip = CreateWindowEx(0, WC_SCROLLBAR, "", WS_CHILD | WS_CLIPSIBLINGS | SBS_SIZEGRIP, 0, 0, m_sizeGrip.cx,
                             m_sizeGrip.cy, parent, nullptr, nullptr, nullptr);
    if (!m_hGrip)
        return FALSE;
    // Only the lower right triangle is the grip; the rest shows the
    // controls beneath it.
    HRGN region = CreateRectRgn(0, 0, m_sizeGrip.cx, m_sizeGrip.cy);
    for (int y = 0; y < m_sizeGrip.cy; ++y) {
        HRGN strip = CreateRectRgn(0, y, m_sizeGrip.cx - y, y + 1);
        CombineRgn(region, region, strip, RGN_DIFF);
        DeleteObject(strip);
    }
    SetWindowRgn(m_hGrip, region, FALSE);
    PlaceSizeGrip(parent);
    ShowSizeGrip(TRUE);
    return TRUE;
}

void CWESizeGrip::PlaceSizeGrip(HWND parent)
{
    RECT client{};
    GetClientRect(parent, &client);
    SetWindowPos(m_hGrip, HWND_TOP, client.right - m_sizeGrip.cx, client.bottom - m_sizeGrip.cy, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    EnableWindow(m_hGrip, !IsZoomed(parent));
}

void CWESizeGrip::ShowSizeGrip(BOOL show) { ShowWindow(m_hGrip, show ? SW_SHOW : SW_HIDE); }
