#pragma once
// The painter of a window while its receiver paints it (WM_PAINT), for
// BeginPaint; null at any other time.

#include "ui/Types.h"

class QPainter;

QPainter* PainterOf(HWND hwnd);

// Marks the window as painting with `painter` for the scope's life.
class PaintingWindow {
public:
    PaintingWindow(HWND hwnd, QPainter* painter);
    ~PaintingWindow();
    PaintingWindow(const PaintingWindow&) = delete;
    PaintingWindow& operator=(const PaintingWindow&) = delete;

private:
    HWND m_hwnd;
    QPainter* m_previous;
};
