#include "Convert.h"
#include "Dispatch.h"
#include "GdiObjects.h"
#include "WindowTable.h"
#include "ui/Gdi.h"
#include "ui/Window.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

// Dialog units rest on fixed base units (those of an 8-point dialog font at
// 96 dots per inch), so that a template has the same pixel size everywhere.
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;
constexpr int kScrollBarSize = 17;

int MulDiv(int value, int numerator, int denominator)
{
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

QWidget* WidgetOf(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    return record ? record->widget.data() : nullptr;
}

// The window's rectangle in its parent's client coordinates, or on the
// screen for a top-level window.
QRect PlacedRect(const WindowRecord& record) { return record.widget->geometry(); }

// Lets the desktop report a state change before the caller looks again.
void SettleWindowState() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

QScrollBar* ScrollBarOf(HWND hwnd, int bar)
{
    QWidget* widget = WidgetOf(hwnd);
    if (auto* scrollBar = qobject_cast<QScrollBar*>(widget))
        return scrollBar;
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget))
        return bar == SB_HORZ ? area->horizontalScrollBar() : area->verticalScrollBar();
    return nullptr;
}

} // namespace

BOOL PtInRect(LPCRECT rect, POINT point)
{
    return rect && point.x >= rect->left && point.x < rect->right && point.y >= rect->top && point.y < rect->bottom;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect)
{
    QWidget* widget = WidgetOf(hwnd);
    if (!widget || !rect)
        return FALSE;
    *rect = RECT{0, 0, widget->width(), widget->height()};
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect)
{
    QWidget* widget = WidgetOf(hwnd);
    if (!widget || !rect)
        return FALSE;
    QPoint origin = widget->isWindow() ? widget->geometry().topLeft() : widget->mapToGlobal(QPoint(0, 0));
    *rect = FromQRect(QRect(origin, widget->size()));
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point)
{
    QWidget* widget = WidgetOf(hwnd);
    if (!widget || !point)
        return FALSE;
    QPoint origin = widget->isWindow() ? widget->geometry().topLeft() : widget->mapToGlobal(QPoint(0, 0));
    point->x -= origin.x();
    point->y -= origin.y();
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point)
{
    QWidget* widget = WidgetOf(hwnd);
    if (!widget || !point)
        return FALSE;
    QPoint origin = widget->isWindow() ? widget->geometry().topLeft() : widget->mapToGlobal(QPoint(0, 0));
    point->x += origin.x();
    point->y += origin.y();
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count)
{
    POINT offset{0, 0};
    if (from)
        ClientToScreen(from, &offset);
    if (to)
        ScreenToClient(to, &offset);
    for (UINT i = 0; i < count; ++i) {
        points[i].x += offset.x;
        points[i].y += offset.y;
    }
    return static_cast<int>((static_cast<unsigned>(offset.y & 0xFFFF) << 16) | static_cast<unsigned>(offset.x & 0xFFFF));
}

BOOL MapDialogRect(HWND, LPRECT rect)
{
    if (!rect)
        return FALSE;
    rect->left = MulDiv(rect->left, kBaseUnitX, 4);
    rect->right = MulDiv(rect->right, kBaseUnitX, 4);
    rect->top = MulDiv(rect->top, kBaseUnitY, 8);
    rect->bottom = MulDiv(rect->bottom, kBaseUnitY, 8);
    return TRUE;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD, BOOL, DWORD) { return rect != nullptr; }

int GetSystemMetrics(int index)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    switch (index) {
    case SM_CXSCREEN:
        return screen ? screen->geometry().width() : 0;
    case SM_CYSCREEN:
        return screen ? screen->geometry().height() : 0;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return kScrollBarSize;
    default:
        return 0;
    }
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget)
        return FALSE;
    QWidget* widget = record->widget;
    QRect rect = PlacedRect(*record);
    if (!(flags & SWP_NOMOVE))
        rect.moveTopLeft(QPoint(x, y));
    if (!(flags & SWP_NOSIZE)) {
        QSize size(std::max(cx, 0), std::max(cy, 0));
        if (!record->parent && (record->style & WS_THICKFRAME)) {
            MINMAXINFO info = QueryMinMaxInfo(*record);
            size = size.expandedTo(QSize(info.ptMinTrackSize.x, info.ptMinTrackSize.y))
                       .boundedTo(QSize(info.ptMaxTrackSize.x, info.ptMaxTrackSize.y));
        }
        rect.setSize(size);
    }
    if (rect != PlacedRect(*record)) {
        ++record->sizing;
        if (!record->parent) {
            widget->setMinimumSize(0, 0);
            widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
        widget->setGeometry(rect);
        --record->sizing;
    }
    if (!(flags & SWP_NOZORDER) && !insertAfter)
        widget->raise();
    if (flags & SWP_SHOWWINDOW)
        widget->show();
    if (flags & SWP_HIDEWINDOW)
        widget->hide();
    NotifySize(*record);
    if (WindowRecord* still = FindRecord(hwnd))
        ApplyTrackLimits(*still);
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL)
{
    return SetWindowPos(hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

HDWP BeginDeferWindowPos(int count) { return count < 0 ? nullptr : new HDWP__; }

HDWP DeferWindowPos(HDWP batch, HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    if (!batch)
        return nullptr;
    if (!IsWindow(hwnd)) {
        delete batch;
        return nullptr;
    }
    batch->moves.push_back({hwnd, insertAfter, x, y, cx, cy, flags});
    return batch;
}

BOOL EndDeferWindowPos(HDWP batch)
{
    if (!batch)
        return FALSE;
    BOOL ok = TRUE;
    for (const auto& move : batch->moves)
        ok &= SetWindowPos(move.hwnd, move.insertAfter, move.x, move.y, move.cx, move.cy, move.flags);
    delete batch;
    return ok;
}

BOOL ShowWindow(HWND hwnd, int command)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget)
        return FALSE;
    QWidget* widget = record->widget;
    BOOL wasVisible = widget->isVisible();
    bool topLevel = record->parent == nullptr;
    bool restoring = (command == SW_SHOWNORMAL || command == SW_RESTORE) && widget->windowState() != Qt::WindowNoState;
    bool stateChange = topLevel && (restoring || command == SW_SHOWMAXIMIZED || command == SW_SHOWMINIMIZED ||
                                    command == SW_MINIMIZE);
    switch (command) {
    case SW_HIDE:
        widget->hide();
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
        topLevel ? widget->showNormal() : widget->show();
        break;
    case SW_SHOWMAXIMIZED:
        topLevel ? widget->showMaximized() : widget->show();
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
        topLevel ? widget->showMinimized() : widget->hide();
        break;
    default:
        widget->show();
        break;
    }
    if (stateChange)
        SettleWindowState();
    if (WindowRecord* still = FindRecord(hwnd); still && topLevel)
        NotifySize(*still);
    return wasVisible;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget || !placement || placement->length != sizeof(WINDOWPLACEMENT))
        return FALSE;
    QWidget* widget = record->widget;
    Qt::WindowStates states = widget->windowState();
    placement->flags = (states & Qt::WindowMinimized) && (states & Qt::WindowMaximized) ? WPF_RESTORETOMAXIMIZED : 0;
    placement->showCmd = (states & Qt::WindowMinimized) ? SW_SHOWMINIMIZED
                         : (states & Qt::WindowMaximized) ? SW_SHOWMAXIMIZED
                                                          : SW_SHOWNORMAL;
    placement->ptMinPosition = POINT{-1, -1};
    placement->ptMaxPosition = POINT{-1, -1};
    QRect normal = widget->isWindow() && (states & (Qt::WindowMinimized | Qt::WindowMaximized)) ? widget->normalGeometry()
                                                                                                : widget->geometry();
    placement->rcNormalPosition = FromQRect(normal);
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget || !placement || placement->length != sizeof(WINDOWPLACEMENT))
        return FALSE;
    const RECT& normal = placement->rcNormalPosition;
    if (normal.right < normal.left || normal.bottom < normal.top)
        return FALSE;
    if (record->parent == nullptr && record->widget->windowState() != Qt::WindowNoState) {
        record->widget->setWindowState(Qt::WindowNoState);
        SettleWindowState();
    }
    SetWindowPos(hwnd, nullptr, normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd, static_cast<int>(placement->showCmd));
    return TRUE;
}

int SetWindowRgn(HWND hwnd, HRGN region, BOOL)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget)
        return 0;
    if (record->region)
        DeleteObject(record->region);
    record->region = region;
    if (region)
        record->widget->setMask(region->region);
    else
        record->widget->clearMask();
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->region || !region)
        return RGN_ERROR;
    region->region = record->region->region;
    if (region->region.isEmpty())
        return NULLREGION;
    return region->region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

int GetScrollPos(HWND hwnd, int bar)
{
    QScrollBar* scrollBar = ScrollBarOf(hwnd, bar);
    return scrollBar ? scrollBar->value() : 0;
}

BOOL GetScrollRange(HWND hwnd, int bar, LPINT minimum, LPINT maximum)
{
    QScrollBar* scrollBar = ScrollBarOf(hwnd, bar);
    if (!scrollBar || !minimum || !maximum)
        return FALSE;
    *minimum = scrollBar->minimum();
    *maximum = scrollBar->maximum() + scrollBar->pageStep() - 1;
    return TRUE;
}

int GetScrollLimit(HWND hwnd, int bar)
{
    QScrollBar* scrollBar = ScrollBarOf(hwnd, bar);
    return scrollBar ? scrollBar->maximum() : 0;
}
