#include "Dispatch.h"
#include "ui/Edit.h"

#include <QLineEdit>

BOOL Edit_LimitText(HWND edit, int limit)
{
    WindowRecord* record = FindRecord(edit);
    auto* line = record ? qobject_cast<QLineEdit*>(record->widget.data()) : nullptr;
    if (!line)
        return FALSE;
    line->setMaxLength(limit > 0 ? limit : 32767);
    return TRUE;
}
