#pragma once
// What the drawing handles stand for.

#include "ui/Types.h"

#include <QCursor>
#include <QFont>
#include <QRegion>

#include <vector>

class QPainter;
class QWidget;

struct HRGN__ {
    QRegion region;
};

struct HFONT__ {
    LOGFONT logFont;
    QFont font;
};

struct HBRUSH__ {
    COLORREF color;
    bool hollow;  // draws nothing (the stock NULL_BRUSH)
    bool stock;   // shared; DeleteObject leaves it alone
};

struct HCURSOR__ {
    Qt::CursorShape shape;
    bool shared; // a system cursor; DestroyCursor leaves it alone
};

struct HDC__ {
    QWidget* widget = nullptr;   // the window it draws on or measures for
    QPainter* painter = nullptr; // set while the window repaints
    bool hasClip = false;
    QRegion clip;
    COLORREF textColor = 0;
    COLORREF bkColor = 0xFFFFFF;
    int bkMode = 2;
    HFONT font = nullptr;
};

struct HDWP__ {
    struct Move {
        HWND hwnd;
        HWND insertAfter;
        int x, y, cx, cy;
        UINT flags;
    };
    std::vector<Move> moves;
};

// The font a window without one of its own draws with.
HFONT DefaultGuiFont();
QFont ToQFont(const LOGFONT& logFont);
