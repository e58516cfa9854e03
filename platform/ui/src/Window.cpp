#include "Application.h"
#include "ControlWidgets.h"
#include "Convert.h"
#include "Dispatch.h"
#include "GdiObjects.h"
#include "HandlerFilter.h"
#include "WindowTable.h"
#include "ui/Window.h"
#include "ui/Wnd.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <cstring>

namespace {

HWND g_capture = nullptr;
HWND g_foreground = nullptr;

std::string PropKey(LPCSTR name)
{
    std::string key = name ? name : "";
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

// Receivers first learn of the destruction, parents before children, as
// on Windows; only then do the windows go.
void NotifyDestroy(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record)
        return;
    if (record->handler)
        record->handler->OnDestroy();
    for (WindowRecord* child : WindowTable::Instance().Children(hwnd))
        NotifyDestroy(child->handle);
}

void Forget(HWND hwnd)
{
    for (WindowRecord* child : WindowTable::Instance().Children(hwnd))
        Forget(child->handle);
    WindowRecord* record = FindRecord(hwnd);
    if (!record)
        return;
    for (auto& [id, timer] : record->timers)
        delete timer;
    if (record->region)
        DeleteObject(record->region);
    if (record->ownedFont)
        DeleteObject(record->ownedFont);
    if (record->handler)
        record->handler->m_hWnd = nullptr;
    if (g_capture == hwnd)
        ReleaseCapture();
    WindowTable::Instance().Remove(hwnd);
}

int CopyText(const std::string& text, LPSTR buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    int count = std::min(static_cast<int>(text.size()), size - 1);
    std::memcpy(buffer, text.data(), static_cast<size_t>(count));
    buffer[count] = '\0';
    return count;
}

} // namespace

const LPCCURSORNAME IDC_ARROW = "IDC_ARROW";
const LPCCURSORNAME IDC_HAND = "IDC_HAND";

BOOL IsWindow(HWND hwnd) { return FindRecord(hwnd) != nullptr; }

BOOL DestroyWindow(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record)
        return FALSE;
    QPointer<QWidget> widget = record->widget;
    NotifyDestroy(hwnd);
    Forget(hwnd);
    if (widget) {
        // The widget may be the one whose signal brought us here.
        widget->hide();
        widget->deleteLater();
    }
    return TRUE;
}

HWND GetParent(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    return record ? record->parent : nullptr;
}

HWND GetDlgItem(HWND dialog, int id)
{
    for (WindowRecord* child : WindowTable::Instance().Children(dialog))
        if (child->id == id)
            return child->handle;
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    return record ? record->id : 0;
}

int GetClassName(HWND hwnd, LPSTR buffer, int size)
{
    WindowRecord* record = FindRecord(hwnd);
    return record ? CopyText(record->className, buffer, size) : 0;
}

LONG GetWindowLong(HWND hwnd, int index)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record)
        return 0;
    switch (index) {
    case GWL_STYLE: {
        DWORD style = record->style & ~(WS_VISIBLE | WS_DISABLED);
        if (record->widget && !record->widget->isHidden())
            style |= WS_VISIBLE;
        if (record->widget && !record->widget->isEnabled())
            style |= WS_DISABLED;
        return static_cast<LONG>(style);
    }
    case GWL_EXSTYLE:
        return static_cast<LONG>(record->exStyle);
    case GWL_ID:
        return record->id;
    default:
        return 0;
    }
}

LONG SetWindowLong(HWND hwnd, int index, LONG value)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record)
        return 0;
    LONG previous = GetWindowLong(hwnd, index);
    switch (index) {
    case GWL_STYLE:
        record->style = static_cast<DWORD>(value);
        ApplyTrackLimits(*record);
        break;
    case GWL_EXSTYLE:
        record->exStyle = static_cast<DWORD>(value);
        if (record->widget)
            record->widget->setLayoutDirection((record->exStyle & WS_EX_LAYOUTRTL) ? Qt::RightToLeft : Qt::LeftToRight);
        break;
    case GWL_ID:
        record->id = value;
        break;
    default:
        return 0;
    }
    return previous;
}

std::string GetWindowTextString(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record)
        return {};
    ReadWindowText(*record);
    return record->text;
}

int GetWindowText(HWND hwnd, LPSTR buffer, int size) { return CopyText(GetWindowTextString(hwnd), buffer, size); }

int GetWindowTextLength(HWND hwnd) { return static_cast<int>(GetWindowTextString(hwnd).size()); }

BOOL SetWindowText(HWND hwnd, LPCSTR text)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record)
        return FALSE;
    record->text = text ? text : "";
    ShowWindowText(*record);
    return TRUE;
}

BOOL SetDlgItemText(HWND dialog, int id, LPCSTR text) { return SetWindowText(GetDlgItem(dialog, id), text); }

UINT GetDlgItemText(HWND dialog, int id, LPSTR buffer, int size)
{
    return static_cast<UINT>(GetWindowText(GetDlgItem(dialog, id), buffer, size));
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget)
        return FALSE;
    BOOL wasDisabled = !record->widget->isEnabled();
    record->widget->setEnabled(enable);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    return record && record->widget && record->widget->isEnabled();
}

BOOL IsWindowVisible(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    return record && record->widget && record->widget->isVisible();
}

BOOL IsZoomed(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    return record && record->widget && record->widget->isMaximized();
}

BOOL IsIconic(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    return record && record->widget && record->widget->isMinimized();
}

BOOL CheckDlgButton(HWND dialog, int id, UINT state)
{
    WindowRecord* record = FindRecord(GetDlgItem(dialog, id));
    return record && SetButtonState(*record, state);
}

UINT IsDlgButtonChecked(HWND dialog, int id)
{
    WindowRecord* record = FindRecord(GetDlgItem(dialog, id));
    return record ? GetButtonState(*record) : BST_UNCHECKED;
}

BOOL CheckRadioButton(HWND dialog, int first, int last, int check)
{
    for (WindowRecord* child : WindowTable::Instance().Children(dialog))
        if (child->id >= first && child->id <= last && child->id != check)
            SetButtonState(*child, BST_UNCHECKED);
    return CheckDlgButton(dialog, check, BST_CHECKED);
}

BOOL SetProp(HWND hwnd, LPCSTR name, HANDLE data)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !name)
        return FALSE;
    record->props[PropKey(name)] = data;
    return TRUE;
}

HANDLE GetProp(HWND hwnd, LPCSTR name)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !name)
        return nullptr;
    auto it = record->props.find(PropKey(name));
    return it == record->props.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND hwnd, LPCSTR name)
{
    HANDLE data = GetProp(hwnd, name);
    if (WindowRecord* record = FindRecord(hwnd); record && name)
        record->props.erase(PropKey(name));
    return data;
}

BOOL InvalidateRect(HWND hwnd, LPCRECT rect, BOOL erase)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget)
        return FALSE;
    if (rect)
        record->widget->update(ToQRect(*rect));
    else
        record->widget->update();
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, LPCRECT rect, HRGN region, UINT flags)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget)
        return FALSE;
    if (flags & RDW_UPDATENOW)
        record->widget->repaint();
    else
        record->widget->update();
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget)
        return FALSE;
    record->widget->repaint();
    return TRUE;
}

HWND SetCapture(HWND hwnd)
{
    HWND previous = g_capture;
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget)
        return previous;
    if (g_capture && g_capture != hwnd)
        ReleaseCapture();
    if (record->widget->isVisible())
        record->widget->grabMouse();
    g_capture = hwnd;
    return previous;
}

BOOL ReleaseCapture()
{
    if (WindowRecord* record = FindRecord(g_capture); record && record->widget)
        record->widget->releaseMouse();
    g_capture = nullptr;
    return TRUE;
}

HWND GetCapture() { return FindRecord(g_capture) ? g_capture : nullptr; }

HCURSOR LoadCursor(HINSTANCE module, LPCCURSORNAME name)
{
    // Only the shared system cursors exist; modules carry none.
    if (module)
        return nullptr;
    static HCURSOR__ arrow{Qt::ArrowCursor, true};
    static HCURSOR__ hand{Qt::PointingHandCursor, true};
    if (name == IDC_ARROW)
        return &arrow;
    if (name == IDC_HAND)
        return &hand;
    return nullptr;
}

HCURSOR CopyCursor(HCURSOR cursor) { return cursor ? new HCURSOR__{cursor->shape, false} : nullptr; }

BOOL DestroyCursor(HCURSOR cursor)
{
    if (!cursor || cursor->shared)
        return FALSE;
    delete cursor;
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    static HCURSOR current = nullptr;
    HCURSOR previous = current;
    current = cursor;
    RequestCursor(cursor);
    return previous;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, void*)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget)
        return 0;
    QTimer*& timer = record->timers[id];
    if (!timer) {
        timer = new QTimer(record->widget);
        QObject::connect(timer, &QTimer::timeout, [hwnd, id] {
            if (WindowRecord* r = FindRecord(hwnd); r && r->handler)
                r->handler->OnTimer(id);
        });
    }
    timer->start(static_cast<int>(std::max<UINT>(elapse, 1)));
    return id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record)
        return FALSE;
    auto it = record->timers.find(id);
    if (it == record->timers.end())
        return FALSE;
    delete it->second;
    record->timers.erase(it);
    return TRUE;
}

void PumpWaitingMessages()
{
    EnsureApplication();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

HWND GetForegroundWindow()
{
    if (FindRecord(g_foreground))
        return g_foreground;
    QWidget* widget = QApplication::activeWindow();
    WindowRecord* active = widget ? WindowTable::Instance().FindByWidget(widget) : nullptr;
    return active ? active->handle : nullptr;
}

BOOL SetForegroundWindow(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record)
        return FALSE;
    g_foreground = hwnd;
    if (record->widget)
        record->widget->activateWindow();
    return TRUE;
}
