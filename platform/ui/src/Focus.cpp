#include "Dispatch.h"
#include "WindowTable.h"
#include "ui/Focus.h"

#include <QApplication>
#include <QWidget>

HWND GetFocus()
{
    // The focus may sit on a part of a control (a combo box's line, a
    // table's viewport): the window is the nearest widget that is one.
    for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget())
        if (WindowRecord* record = WindowTable::Instance().FindByWidget(widget))
            return record->handle;
    return nullptr;
}

HWND SetFocus(HWND hwnd)
{
    HWND previous = GetFocus();
    WindowRecord* record = FindRecord(hwnd);
    if (record && record->widget)
        record->widget->setFocus(Qt::OtherFocusReason);
    return previous;
}
