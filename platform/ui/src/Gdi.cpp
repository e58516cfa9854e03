#include "Application.h"
#include "Convert.h"
#include "Dispatch.h"
#include "GdiObjects.h"
#include "ui/Gdi.h"
#include "ui/Window.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>

namespace {

int RegionKind(const QRegion& region)
{
    if (region.isEmpty())
        return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRegion Combine(const QRegion& a, const QRegion& b, int mode)
{
    switch (mode) {
    case RGN_AND:
        return a & b;
    case RGN_OR:
        return a | b;
    case RGN_XOR:
        return a ^ b;
    case RGN_DIFF:
        return a - b;
    default:
        return a;
    }
}

QRegion Surface(HDC dc) { return dc->widget ? QRegion(dc->widget->rect()) : QRegion(); }

} // namespace

QFont ToQFont(const LOGFONT& logFont)
{
    EnsureApplication();
    QFont font = QApplication::font();
    std::string face(logFont.lfFaceName, strnlen(logFont.lfFaceName, LF_FACESIZE));
    // The dialog font names stand for the desktop's own font.
    if (!face.empty() && face != "MS Shell Dlg" && face != "MS Shell Dlg 2")
        font.setFamily(ToQString(face));
    font.setPixelSize(logFont.lfHeight == 0 ? 11 : std::abs(static_cast<int>(logFont.lfHeight)));
    if (logFont.lfWeight > 0)
        font.setWeight(static_cast<QFont::Weight>(std::clamp(static_cast<int>(logFont.lfWeight), 1, 1000)));
    font.setItalic(logFont.lfItalic != 0);
    font.setUnderline(logFont.lfUnderline != 0);
    font.setStrikeOut(logFont.lfStrikeOut != 0);
    return font;
}

HFONT DefaultGuiFont()
{
    static HFONT font = [] {
        LOGFONT logFont{};
        logFont.lfHeight = -11;
        logFont.lfWeight = 400;
        std::strcpy(logFont.lfFaceName, "MS Shell Dlg");
        return CreateFontIndirect(&logFont);
    }();
    return font;
}

HDC GetDC(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    if (hwnd && !record)
        return nullptr;
    auto* dc = new HDC__;
    dc->widget = record ? record->widget.data() : nullptr;
    dc->font = hwnd ? GetWindowFont(hwnd) : DefaultGuiFont();
    return dc;
}

int ReleaseDC(HWND, HDC dc)
{
    if (!dc || dc->painter)
        return 0;
    delete dc;
    return 1;
}

COLORREF SetTextColor(HDC dc, COLORREF color)
{
    COLORREF previous = dc->textColor;
    dc->textColor = color;
    return previous;
}
COLORREF GetTextColor(HDC dc) { return dc->textColor; }

COLORREF SetBkColor(HDC dc, COLORREF color)
{
    COLORREF previous = dc->bkColor;
    dc->bkColor = color;
    return previous;
}
COLORREF GetBkColor(HDC dc) { return dc->bkColor; }

int SetBkMode(HDC dc, int mode)
{
    int previous = dc->bkMode;
    dc->bkMode = mode;
    return previous;
}
int GetBkMode(HDC dc) { return dc->bkMode; }

HFONT SelectObject(HDC dc, HFONT font)
{
    HFONT previous = dc->font;
    dc->font = font;
    return previous;
}

BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int length, LPSIZE size)
{
    if (!dc || !size || length < 0 || (!text && length > 0))
        return FALSE;
    QFont font = dc->font ? dc->font->font : DefaultGuiFont()->font;
    QFontMetrics metrics(font);
    QString string = ToQString(std::string_view(text ? text : "", static_cast<size_t>(length)));
    *size = SIZE{metrics.horizontalAdvance(string), metrics.height()};
    return TRUE;
}

int FillRect(HDC dc, LPCRECT rect, HBRUSH brush)
{
    if (!dc || !rect || !brush)
        return 0;
    if (dc->painter && !brush->hollow) {
        dc->painter->save();
        if (dc->hasClip)
            dc->painter->setClipRegion(dc->clip);
        dc->painter->fillRect(ToQRect(*rect), ToQColor(brush->color));
        dc->painter->restore();
    }
    return 1;
}

BOOL LPtoDP(HDC dc, LPPOINT, int) { return dc != nullptr; }
BOOL DPtoLP(HDC dc, LPPOINT, int) { return dc != nullptr; }

int ExtSelectClipRgn(HDC dc, HRGN region, int mode)
{
    if (!dc)
        return RGN_ERROR;
    if (mode == RGN_COPY) {
        dc->hasClip = region != nullptr;
        dc->clip = region ? region->region : QRegion();
        return RegionKind(region ? dc->clip : Surface(dc));
    }
    if (!region)
        return RGN_ERROR;
    dc->clip = Combine(dc->hasClip ? dc->clip : Surface(dc), region->region, mode);
    dc->hasClip = true;
    return RegionKind(dc->clip);
}

int GetClipRgn(HDC dc, HRGN region)
{
    if (!dc || !region)
        return -1;
    if (!dc->hasClip)
        return 0;
    region->region = dc->clip;
    return 1;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    QRect rect(QPoint(std::min(left, right), std::min(top, bottom)), QSize(std::abs(right - left), std::abs(bottom - top)));
    return new HRGN__{QRegion(rect)};
}

int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode)
{
    if (!destination || !source1 || (mode != RGN_COPY && !source2))
        return RGN_ERROR;
    destination->region = mode == RGN_COPY ? source1->region : Combine(source1->region, source2->region, mode);
    return RegionKind(destination->region);
}

int OffsetRgn(HRGN region, int dx, int dy)
{
    if (!region)
        return RGN_ERROR;
    region->region.translate(dx, dy);
    return RegionKind(region->region);
}

int GetRgnBox(HRGN region, LPRECT rect)
{
    if (!region || !rect)
        return RGN_ERROR;
    *rect = region->region.isEmpty() ? RECT{0, 0, 0, 0} : FromQRect(region->region.boundingRect());
    return RegionKind(region->region);
}

BOOL PtInRegion(HRGN region, int x, int y) { return region && region->region.contains(QPoint(x, y)); }

BOOL EqualRgn(HRGN a, HRGN b) { return a && b && a->region == b->region; }

BOOL DeleteObject(HRGN region)
{
    delete region;
    return region != nullptr;
}

HFONT CreateFontIndirect(const LOGFONT* logFont)
{
    if (!logFont)
        return nullptr;
    return new HFONT__{*logFont, ToQFont(*logFont)};
}

int GetObject(HFONT font, int size, LOGFONT* out)
{
    if (!font)
        return 0;
    if (!out)
        return sizeof(LOGFONT);
    if (size < static_cast<int>(sizeof(LOGFONT)))
        return 0;
    *out = font->logFont;
    return sizeof(LOGFONT);
}

BOOL DeleteObject(HFONT font)
{
    if (!font || font == DefaultGuiFont())
        return FALSE;
    delete font;
    return TRUE;
}

HFONT GetWindowFont(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record)
        return nullptr;
    return record->font ? record->font : DefaultGuiFont();
}

void SetWindowFont(HWND hwnd, HFONT font, BOOL redraw)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record)
        return;
    record->font = font;
    if (record->widget) {
        record->widget->setFont(font ? font->font : DefaultGuiFont()->font);
        if (redraw)
            record->widget->update();
    }
}

HBRUSH CreateSolidBrush(COLORREF color) { return new HBRUSH__{color, false, false}; }

BOOL DeleteObject(HBRUSH brush)
{
    if (!brush || brush->stock)
        return FALSE;
    delete brush;
    return TRUE;
}

HBRUSH GetStockBrush(int object)
{
    static HBRUSH__ hollow{0, true, true};
    return object == NULL_BRUSH ? &hollow : nullptr;
}

COLORREF GetSysColor(int index)
{
    // The desktop's default colours by index, fixed so that pictures, pages
    // and tests agree on every machine; index 25 has no colour, and neither
    // has an index beyond the table.
    static constexpr COLORREF kColours[] = {
        RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
        RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
        RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255),
        RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
        RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225),
        RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234), RGB(215, 228, 242), RGB(0, 120, 215),
        RGB(240, 240, 240),
    };
    return index >= 0 && index < static_cast<int>(std::size(kColours)) ? kColours[index] : 0;
}

HBRUSH GetSysColorBrush(int index)
{
    static std::map<int, HBRUSH__> brushes;
    auto it = brushes.try_emplace(index, HBRUSH__{GetSysColor(index), false, true}).first;
    return &it->second;
}
