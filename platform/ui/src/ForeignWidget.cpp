#include "WindowTable.h"
#include "ui/ForeignWidget.h"
#include "ui/Styles.h"

HWND AttachForeignWidget(QWidget* widget)
{
    if (!widget)
        return nullptr;
    if (WindowRecord* known = WindowTable::Instance().FindByWidget(widget))
        return known->handle;
    auto record = std::make_unique<WindowRecord>();
    record->className = "#32770";
    record->style = WS_CHILD | WS_VISIBLE;
    record->widget = widget;
    HWND hwnd = WindowTable::Instance().Add(std::move(record));
    QObject::connect(widget, &QObject::destroyed, [hwnd] { WindowTable::Instance().Remove(hwnd); });
    return hwnd;
}
