#include "HandlerFilter.h"
#include "GdiObjects.h"
#include "PaintingWindow.h"
#include "WindowTable.h"
#include "ui/Paint.h"
#include "ui/PostMessage.h"
#include "ui/Wnd.h"

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace {

HCURSOR__* g_requested = nullptr;
bool g_asking = false;

// Asks the receiver for the cursor, as Windows does before every mouse move.
void QueryCursor(WindowRecord& record, QWidget* widget)
{
    g_requested = nullptr;
    g_asking = true;
    BOOL handled = record.handler->OnSetCursor(record.handle, static_cast<UINT>(HTCLIENT), WM_MOUSEMOVE);
    g_asking = false;
    if (handled && g_requested)
        widget->setCursor(QCursor(g_requested->shape));
    else
        widget->unsetCursor();
}

// The keys that receivers read, as virtual keys; 0 for the others.
UINT VirtualKeyOf(const QKeyEvent& key)
{
    if (key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
        return 0;
    switch (key.key()) {
    case Qt::Key_Tab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    default: return 0;
    }
}

// The message of a left or right button press or double-click; 0 for other
// mouse events.
UINT ButtonMessageOf(const QEvent& event)
{
    const bool press = event.type() == QEvent::MouseButtonPress;
    if (!press && event.type() != QEvent::MouseButtonDblClick)
        return 0;
    switch (static_cast<const QMouseEvent&>(event).button()) {
    case Qt::LeftButton: return press ? WM_LBUTTONDOWN : WM_LBUTTONDBLCLK;
    case Qt::RightButton: return press ? WM_RBUTTONDOWN : WM_RBUTTONDBLCLK;
    default: return 0;
    }
}

// A click on a scrolling control lands on its viewport; the receiver is the
// control's, and the point is in the control's own coordinates.
bool OfferClick(QWidget* widget, QEvent* event)
{
    const UINT message = ButtonMessageOf(*event);
    if (!message)
        return false;
    QWidget* control = widget;
    WindowRecord* record = WindowTable::Instance().FindByWidget(widget);
    if (!record && widget->parentWidget()) {
        auto* area = qobject_cast<QAbstractScrollArea*>(widget->parentWidget());
        if (area && area->viewport() == widget) {
            control = area;
            record = WindowTable::Instance().FindByWidget(area);
        }
    }
    if (!record || !record->handler)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    const QPoint local = widget == control ? at : widget->mapTo(control, at);
    const UINT flags = ((mouse->buttons() & Qt::LeftButton) ? MK_LBUTTON : 0) |
                       ((mouse->buttons() & Qt::RightButton) ? MK_RBUTTON : 0);
    return record->handler->OnMessage(message, flags, MAKELPARAM(local.x(), local.y())) != 0;
}

// The events a receiver hears of as messages. Only controls paint
// themselves; dialogs keep their own drawing.
UINT ForwardedMessage(const WindowRecord& record, QEvent::Type type)
{
    switch (type) {
    case QEvent::Paint:
        return record.parent && record.className != "#32770" ? WM_PAINT : 0;
    case QEvent::FocusIn:
        return WM_SETFOCUS;
    case QEvent::FocusOut:
        return WM_KILLFOCUS;
    case QEvent::Leave:
        return WM_MOUSELEAVE;
    case QEvent::StyleChange:
    case QEvent::PaletteChange:
    case QEvent::ThemeChange:
        return WM_THEMECHANGED;
    default:
        return 0;
    }
}

} // namespace

void RequestCursor(HCURSOR__* cursor)
{
    if (g_asking)
        g_requested = cursor;
}

HandlerFilter* HandlerFilter::Instance()
{
    static HandlerFilter* filter = new HandlerFilter;
    return filter;
}

bool HandlerFilter::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && OfferClick(widget, event))
        return true;
    WindowRecord* record = widget ? WindowTable::Instance().FindByWidget(widget) : nullptr;
    if (!record || !record->handler)
        return false;
    if (UINT message = ForwardedMessage(*record, event->type())) {
        if (message != WM_PAINT) {
            record->handler->OnMessage(message, 0, 0);
            return false;
        }
        QPainter painter(widget);
        PaintingWindow painting(record->handle, &painter);
        return record->handler->OnMessage(WM_PAINT, 0, 0) != 0;
    }
    if (event->type() == QEvent::KeyPress) {
        // A non-zero answer consumes the key, as a window procedure that
        // does not pass WM_KEYDOWN on.
        UINT key = VirtualKeyOf(*static_cast<QKeyEvent*>(event));
        return key && record->handler->OnMessage(WM_KEYDOWN, key, 0) != 0;
    }
    if (event->type() == QEvent::Enter) {
        QueryCursor(*record, widget);
    } else if (event->type() == QEvent::MouseMove) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        QPoint at = mouse->position().toPoint();
        HWND hwnd = record->handle;
        if (widget->rect().contains(at))
            QueryCursor(*record, widget);
        UINT flags = (mouse->buttons() & Qt::LeftButton) ? MK_LBUTTON : 0;
        if (WindowRecord* still = WindowTable::Instance().Find(hwnd); still && still->handler)
            still->handler->OnMouseMove(flags, POINT{at.x(), at.y()});
    }
    return false;
}
