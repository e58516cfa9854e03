#include "controls/WESizeLimits.h"

void CWESizeLimits::SetMinTrackSize(SIZE size)
{
    m_bMinTrackSize = TRUE;
    m_ptMinTrackSize = POINT{size.cx, size.cy};
}

void CWESizeLimits::SetMaxTrackSize(SIZE size)
{
    m_bMaxTrackSize = TRUE;
    m_ptMaxTrackSize = POINT{size.cx, size.cy};
}

void CWESizeLimits::SetMaximizedRect(const RECT& rect)
{
    m_bMaximizedRect = TRUE;
    m_ptMaxPos = POINT{rect.left, rect.top};
    m_ptMaxSize = POINT{rect.right - rect.left, rect.bottom - rect.top};
}

void CWESizeLimits::GetMinMaxInfo(MINMAXINFO* info) const
{
    if (m_bMinTrackSize)
        info->ptMinTrackSize = m_ptMinTrackSize;
    if (m_bMaxTrackSize)
        info->ptMaxTrackSize = m_ptMaxTrackSize;
    if (m_bMaximizedRect) {
        info->ptMaxPosition = m_ptMaxPos;
        info->ptMaxSize = m_ptMaxSize;
    }
}
