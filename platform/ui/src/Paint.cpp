#include "Convert.h"
#include "Dispatch.h"
#include "GdiObjects.h"
#include "IconObject.h"
#include "PaintingWindow.h"
#include "ui/Paint.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <map>
#include <memory>

namespace {

// The contexts handed out while windows repaint, by window.
std::map<HWND, std::unique_ptr<HDC__>>& OpenPaints()
{
    static std::map<HWND, std::unique_ptr<HDC__>> paints;
    return paints;
}

} // namespace

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint)
{
    QPainter* painter = PainterOf(hwnd);
    WindowRecord* record = FindRecord(hwnd);
    if (!painter || !record || !paint)
        return nullptr;
    auto dc = std::make_unique<HDC__>();
    dc->widget = record->widget;
    dc->painter = painter;
    dc->font = GetWindowFont(hwnd);
    dc->textColor = GetSysColor(COLOR_WINDOWTEXT);
    painter->setFont(dc->font ? dc->font->font : record->widget->font());
    paint->hdc = dc.get();
    paint->fErase = FALSE;
    paint->rcPaint = RECT{0, 0, record->widget->width(), record->widget->height()};
    OpenPaints()[hwnd] = std::move(dc);
    return paint->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT*)
{
    return OpenPaints().erase(hwnd) > 0;
}

int DrawText(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format)
{
    if (!dc || !dc->painter || !text || !rect)
        return 0;
    QString shown = ToQString(length < 0 ? std::string_view(text) : std::string_view(text, static_cast<size_t>(length)));
    int flags = (format & DT_CENTER) ? Qt::AlignHCenter : Qt::AlignLeft;
    flags |= (format & DT_VCENTER) && (format & DT_SINGLELINE) ? Qt::AlignVCenter : Qt::AlignTop;
    flags |= (format & DT_WORDBREAK) ? Qt::TextWordWrap : Qt::TextSingleLine;
    QPainter& painter = *dc->painter;
    if (dc->font)
        painter.setFont(dc->font->font);
    painter.setPen(ToQColor(dc->textColor));
    QRect area = ToQRect(*rect);
    QRect used = painter.boundingRect(area, flags, shown);
    painter.drawText(area, flags, shown);
    return used.height();
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon)
{
    if (!dc || !dc->painter || !icon)
        return FALSE;
    const QSize size = icon->icon.availableSizes().isEmpty() ? QSize(32, 32) : icon->icon.availableSizes().first();
    icon->icon.paint(dc->painter, QRect(QPoint(x, y), size));
    return TRUE;
}

BOOL DrawFocusRect(HDC dc, LPCRECT rect)
{
    if (!dc || !dc->painter || !rect || !dc->widget)
        return FALSE;
    QStyleOptionFocusRect option;
    option.initFrom(dc->widget);
    option.rect = ToQRect(*rect);
    dc->widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, dc->painter, dc->widget);
    return TRUE;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track)
{
    return track && track->cbSize == sizeof(TRACKMOUSEEVENT) && FindRecord(track->hwndTrack) != nullptr;
}

namespace {

std::map<HWND, QPainter*>& Painters()
{
    static std::map<HWND, QPainter*> painters;
    return painters;
}

} // namespace

QPainter* PainterOf(HWND hwnd)
{
    auto found = Painters().find(hwnd);
    return found == Painters().end() ? nullptr : found->second;
}

PaintingWindow::PaintingWindow(HWND hwnd, QPainter* painter) : m_hwnd(hwnd), m_previous(PainterOf(hwnd))
{
    Painters()[hwnd] = painter;
}

PaintingWindow::~PaintingWindow()
{
    if (m_previous)
        Painters()[m_hwnd] = m_previous;
    else
        Painters().erase(m_hwnd);
    OpenPaints().erase(m_hwnd);
}
