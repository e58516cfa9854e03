#pragma once
// The sizes a resizable window keeps to: minimum and maximum tracking sizes
// and the place it takes when maximized, each only once set.

#include "ui/Types.h"

class CWESizeLimits {
public:
    virtual ~CWESizeLimits() = default;

    void SetMinTrackSize(SIZE size);
    void SetMaxTrackSize(SIZE size);
    void SetMaximizedRect(const RECT& rect);
    // Puts the limits that are set into the window's answer.
    void GetMinMaxInfo(MINMAXINFO* info) const;

protected:
    BOOL m_bMinTrackSize = FALSE;
    POINT m_ptMinTrackSize{0, 0};
    BOOL m_bMaxTrackSize = FALSE;
    POINT m_ptMaxTrackSize{0, 0};
    BOOL m_bMaximizedRect = FALSE;
    POINT m_ptMaxPos{0, 0};
    POINT m_ptMaxSize{0, 0};
};
