#include "StaticWidget.h"
#include "Convert.h"
#include "Dispatch.h"
#include "GdiObjects.h"
#include "WindowTable.h"
#include "ui/Wnd.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

StaticWidget::StaticWidget(QWidget* parent) : QWidget(parent) {}

namespace {

// The brush of the control's receiver, else of its parent's, else none.
HBRUSH AskColours(WindowRecord& record, HDC dc)
{
    if (record.handler)
        if (HBRUSH brush = record.handler->CtlColor(dc, CTLCOLOR_STATIC))
            return brush;
    WindowRecord* parent = FindRecord(record.parent);
    if (parent && parent->handler)
        return parent->handler->OnCtlColor(dc, record.handle, CTLCOLOR_STATIC);
    return nullptr;
}

Qt::Alignment AlignmentOf(DWORD style)
{
    Qt::Alignment vertical = (style & SS_CENTERIMAGE) ? Qt::AlignVCenter : Qt::AlignTop;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        return Qt::AlignHCenter | vertical;
    case SS_RIGHT:
        return Qt::AlignRight | vertical;
    default:
        return Qt::AlignLeft | vertical;
    }
}

} // namespace

void StaticWidget::paintEvent(QPaintEvent*)
{
    WindowRecord* record = WindowTable::Instance().FindByWidget(this);
    if (!record)
        return;
    QPainter painter(this);
    HDC__ dc;
    dc.widget = this;
    dc.painter = &painter;
    dc.textColor = GetSysColor(COLOR_WINDOWTEXT);
    dc.bkColor = GetSysColor(COLOR_BTNFACE);
    dc.font = GetWindowFont(record->handle);
    HBRUSH brush = AskColours(*record, &dc);
    if (brush && !brush->hollow)
        painter.fillRect(rect(), ToQColor(brush->color));

    QFont font = dc.font ? dc.font->font : this->font();
    painter.setFont(font);
    QString text = ToQString(record->text);
    // Words wrap only when the line does not fit: a control fitted to its
    // text keeps it on one line whatever the rounding of the layout.
    int flags = static_cast<int>(AlignmentOf(record->style));
    if (QFontMetrics(font).horizontalAdvance(text) > width())
        flags |= Qt::TextWordWrap;
    QRect textRect = painter.boundingRect(rect(), flags, text);
    if (dc.bkMode == OPAQUE)
        painter.fillRect(textRect, ToQColor(dc.bkColor));
    painter.setPen(ToQColor(dc.textColor));
    painter.drawText(rect(), flags, text);
}

void StaticWidget::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void StaticWidget::mouseReleaseEvent(QMouseEvent* event)
{
    bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    WindowRecord* record = WindowTable::Instance().FindByWidget(this);
    if (click && record && (record->style & SS_NOTIFY))
        SendCommand(*record, STN_CLICKED);
}
