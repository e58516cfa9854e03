#pragma once
// The view behind a list control.

#include "Dispatch.h"

#include <QTreeWidget>

inline QTreeWidget* ListViewOf(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    return record ? qobject_cast<QTreeWidget*>(record->widget.data()) : nullptr;
}
