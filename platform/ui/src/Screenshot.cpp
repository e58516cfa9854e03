#include "Convert.h"
#include "Dispatch.h"
#include "ui/Screenshot.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <algorithm>

BOOL SaveWindowPicture(HWND hwnd, LPCSTR pngPath)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget || !pngPath)
        return FALSE;
    return record->widget->grab().save(ToQString(pngPath), "PNG");
}

int CountDrawnPixels(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget)
        return 0;
    QWidget* widget = record->widget;
    QImage picture = widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QRgb background = widget->palette().color(widget->backgroundRole()).rgb();
    int drawn = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            drawn += qAlpha(picture.pixel(x, y)) > 0 && (picture.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF);
    return drawn;
}

int CountColouredPixels(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || !record->widget)
        return 0;
    QImage picture = record->widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    int coloured = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            QRgb pixel = picture.pixel(x, y);
            int high = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
            int low = std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
            coloured += qAlpha(pixel) > 0 && high - low > 80;
        }
    return coloured;
}
