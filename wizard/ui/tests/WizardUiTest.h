#pragma once
// Helpers for driving the wizard's windows as a user would: keys typed into
// the focused control, a window's Qt widget.

#include "UiInput.h"
#include "UiTestEnvironment.h"
#include "ui/Window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <string>

// The widget that shows a visible window, found where a user would click.
inline QWidget* WidgetOf(HWND hwnd)
{
    RECT rect{};
    GetClientRect(hwnd, &rect);
    return WidgetAt(hwnd, POINT{rect.right / 2, rect.bottom / 2});
}

inline void PressKey(QWidget* widget, int key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}

inline void TypeText(QWidget* widget, const std::string& text)
{
    for (char c : text)
        PressKey(widget, 0, QString(QChar(c)));
}

inline std::string Picture(const char* name) { return std::string(POLLENTA_TEST_DIR) + "/" + name; }
