#include "Application.h"
#include "Dispatch.h"
#include "ImageObjects.h"
#include "ui/Bitmap.h"
#include "ui/PostMessage.h"
#include "ui/Wnd.h"

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

} // namespace

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    WindowRecord* record = FindRecord(hwnd);
    if (record && message == WM_SETICON)
        return SetIcon(*record, lParam);
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
