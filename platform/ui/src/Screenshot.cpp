#include "Convert.h"
#include "Dispatch.h"
#include "ui/Screenshot.h"

#include <QPixmap>
#include <QWidget>

BOOL SaveWindowPicture(HWND hwnd, LPCSTR pngPath)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget || !pngPath)
        return FALSE;
    return record->widget->grab().save(ToQString(pngPath), "PNG");
}
