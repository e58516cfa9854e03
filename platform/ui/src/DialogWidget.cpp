#include "DialogWidget.h"
#include "Dispatch.h"
#include "GdiObjects.h"
#include "WindowTable.h"
#include "ui/Wnd.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

DialogWidget::DialogWidget(QWidget* parent) : QWidget(parent, parent ? Qt::Widget : Qt::Dialog) {}

void DialogWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    WindowRecord* record = WindowTable::Instance().FindByWidget(this);
    if (record && record->sizing == 0)
        NotifySize(*record);
}

void DialogWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (WindowRecord* record = WindowTable::Instance().FindByWidget(this))
        NotifySize(*record);
}

void DialogWidget::paintEvent(QPaintEvent*)
{
    WindowRecord* record = WindowTable::Instance().FindByWidget(this);
    if (!record || !record->handler)
        return;
    QPainter painter(this);
    HDC__ dc;
    dc.widget = this;
    dc.painter = &painter;
    record->handler->OnEraseBkgnd(&dc);
}

void DialogWidget::closeEvent(QCloseEvent* event)
{
    // The dialog decides (by default, closing the window is the Cancel command).
    event->ignore();
    WindowRecord* record = WindowTable::Instance().FindByWidget(this);
    if (record && record->handler)
        record->handler->OnClose();
}

void DialogWidget::keyPressEvent(QKeyEvent* event)
{
    WindowRecord* record = WindowTable::Instance().FindByWidget(this);
    if (!record || !record->handler || parentWidget())
        return QWidget::keyPressEvent(event);
    if (event->key() == Qt::Key_Escape)
        record->handler->OnCommand(IDCANCEL, BN_CLICKED, GetDlgItem(record->handle, IDCANCEL));
    else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        record->handler->OnCommand(IDOK, BN_CLICKED, GetDlgItem(record->handle, IDOK));
    else
        QWidget::keyPressEvent(event);
}
