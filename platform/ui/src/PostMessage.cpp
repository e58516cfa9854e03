#include "Application.h"
#include "ControlWidgets.h"
#include "Dispatch.h"
#include "ImageObjects.h"
#include "ui/Bitmap.h"
#include "ui/Paint.h"
#include "ui/PostMessage.h"
#include "ui/Wnd.h"

#include <QAbstractButton>
#include <QCoreApplication>

namespace {

// The window's own answer, before any receiver sees the message.
LRESULT SetIcon(WindowRecord& record, LPARAM lParam)
{
    HICON previous = record.icon;
    record.icon = reinterpret_cast<HICON>(lParam);
    if (record.widget)
        record.widget->setWindowIcon(record.icon ? record.icon->icon : QIcon());
    return reinterpret_cast<LRESULT>(previous);
}

// A button's check with whether it is held down and has the focus.
LRESULT ButtonState(const WindowRecord& record)
{
    auto* button = qobject_cast<QAbstractButton*>(record.widget.data());
    if (!button)
        return 0;
    return GetButtonState(record) | (button->isDown() ? BST_PUSHED : 0) | (button->hasFocus() ? BST_FOCUS : 0);
}

} // namespace

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowRecord* record = FindRecord(hwnd);
    if (record && message == WM_SETICON)
        return SetIcon(*record, lParam);
    if (record && message == BM_GETSTATE)
        return ButtonState(*record);
    if (!record || !record->handler)
        return 0;
    return record->handler->OnMessage(message, wParam, lParam);
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!FindRecord(hwnd) || !EnsureApplication())
        return FALSE;
    // The handle is looked up again on delivery: the window may be gone.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [hwnd, message, wParam, lParam] { SendMessage(hwnd, message, wParam, lParam); },
        Qt::QueuedConnection);
    return TRUE;
}
