#pragma once
// The user's mouse, for tests: events go to the widget that shows a window
// at a point, the way Qt delivers real ones. The window must be visible.

#include "ui/Window.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

inline QWidget* WidgetAt(HWND hwnd, POINT client)
{
    POINT screen = client;
    ClientToScreen(hwnd, &screen);
    QPoint global(screen.x, screen.y);
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || !top->geometry().contains(global))
            continue;
        QWidget* child = top->childAt(top->mapFromGlobal(global));
        return child ? child : top;
    }
    return nullptr;
}

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void Click(HWND hwnd, POINT client)
{
    QWidget* widget = WidgetAt(hwnd, client);
    if (!widget)
        return;
    POINT screen = client;
    ClientToScreen(hwnd, &screen);
    QPoint at = widget->mapFromGlobal(QPoint(screen.x, screen.y));
    SendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton);
    SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

inline void ClickCentre(HWND hwnd)
{
    RECT rect{};
    GetClientRect(hwnd, &rect);
    Click(hwnd, POINT{rect.right / 2, rect.bottom / 2});
}

// A move to a point in `hwnd`'s client coordinates, delivered to the window
// itself (as during a mouse capture) even when the point lies outside it.
inline void MoveMouseOver(HWND hwnd, QWidget* widget, POINT client)
{
    SendMouse(widget, QEvent::MouseMove, QPoint(client.x, client.y), Qt::NoButton);
}
