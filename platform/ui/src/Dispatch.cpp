#include "Dispatch.h"
#include "WindowTable.h"
#include "ui/Wnd.h"

#include <QGuiApplication>
#include <QScreen>

WindowRecord* FindRecord(HWND hwnd) { return WindowTable::Instance().Find(hwnd); }

MINMAXINFO QueryMinMaxInfo(WindowRecord& record)
{
    QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry() : QRect(0, 0, 800, 600);
    MINMAXINFO info{};
    info.ptMaxSize = POINT{screen.width(), screen.height()};
    info.ptMaxPosition = POINT{screen.x(), screen.y()};
    info.ptMinTrackSize = POINT{1, 1};
    info.ptMaxTrackSize = POINT{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    if (record.handler)
        record.handler->OnGetMinMaxInfo(&info);
    return info;
}

void ApplyTrackLimits(WindowRecord& record)
{
    if (record.parent || !record.widget)
        return;
    QWidget* widget = record.widget;
    if (!(record.style & WS_THICKFRAME)) {
        // A window without a sizing frame keeps the size its program gives it.
        widget->setMinimumSize(widget->size());
        widget->setMaximumSize(widget->size());
        return;
    }
    MINMAXINFO info = QueryMinMaxInfo(record);
    widget->setMinimumSize(std::max(0, static_cast<int>(info.ptMinTrackSize.x)), std::max(0, static_cast<int>(info.ptMinTrackSize.y)));
    widget->setMaximumSize(std::min(QWIDGETSIZE_MAX, static_cast<int>(info.ptMaxTrackSize.x)),
                           std::min(QWIDGETSIZE_MAX, static_cast<int>(info.ptMaxTrackSize.y)));
}

void NotifySize(WindowRecord& record)
{
    if (!record.widget)
        return;
    QWidget* widget = record.widget;
    UINT kind = widget->isMinimized() ? SIZE_MINIMIZED : widget->isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED;
    QSize size = kind == SIZE_MINIMIZED ? QSize(0, 0) : widget->size();
    if (size == record.reportedSize && kind == record.reportedKind)
        return;
    record.reportedSize = size;
    record.reportedKind = kind;
    HWND hwnd = record.handle;
    if (record.handler)
        record.handler->OnSize(kind, size.width(), size.height());
    if (WindowRecord* still = FindRecord(hwnd))
        ApplyTrackLimits(*still);
}

void SendCommand(WindowRecord& control, UINT code)
{
    HWND hwnd = control.handle;
    if (control.handler && control.handler->OnChildCommand(code))
        return;
    WindowRecord* still = FindRecord(hwnd);
    if (!still)
        return;
    WindowRecord* parent = FindRecord(still->parent);
    if (parent && parent->handler)
        parent->handler->OnCommand(still->id, code, hwnd);
}

void SendNotify(WindowRecord& control, UINT code)
{
    NMHDR header{control.handle, static_cast<UINT_PTR>(control.id), code};
    SendNotifyHeader(control, &header);
}

LRESULT SendNotifyHeader(WindowRecord& control, NMHDR* header)
{
    HWND hwnd = control.handle;
    LRESULT result = 0;
    if (control.handler && control.handler->OnChildNotify(header, &result))
        return result;
    WindowRecord* still = FindRecord(hwnd);
    WindowRecord* parent = still ? FindRecord(still->parent) : nullptr;
    if (!parent || !parent->handler)
        return 0;
    return parent->handler->OnNotify(header);
}
