#include "IconObject.h"
#include "ImageListObject.h"
#include "ImageObjects.h"

#include <QPixmap>

CImageList::CImageList() = default;
CImageList::~CImageList() = default;

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    if (m_list || cx <= 0 || cy <= 0)
        return FALSE;
    m_list = std::make_unique<HIMAGELIST__>();
    m_list->size = QSize(cx, cy);
    m_list->images.reserve(static_cast<std::size_t>(std::max(initial, 0)));
    return TRUE;
}

int CImageList::Add(HICON icon)
{
    if (!m_list || !icon)
        return -1;
    m_list->images.push_back(icon->icon);
    return static_cast<int>(m_list->images.size()) - 1;
}

int CImageList::Add(HBITMAP strip, COLORREF mask)
{
    if (!m_list || !strip || strip->image.width() < m_list->size.width())
        return -1;
    const QSize size = m_list->size;
    const QRgb key = qRgb(GetRValue(mask), GetGValue(mask), GetBValue(mask));
    const int first = static_cast<int>(m_list->images.size());
    for (int x = 0; x + size.width() <= strip->image.width(); x += size.width()) {
        QImage picture = strip->image.copy(x, 0, size.width(), size.height()).convertToFormat(QImage::Format_ARGB32);
        for (int py = 0; py < picture.height(); ++py)
            for (int px = 0; px < picture.width(); ++px)
                if ((picture.pixel(px, py) & 0xFFFFFF) == (key & 0xFFFFFF))
                    picture.setPixel(px, py, 0);
        m_list->images.push_back(QIcon(QPixmap::fromImage(picture)));
    }
    return first;
}

int CImageList::GetImageCount() const
{
    return m_list ? static_cast<int>(m_list->images.size()) : 0;
}

HIMAGELIST CImageList::GetSafeHandle() const
{
    return m_list.get();
}
