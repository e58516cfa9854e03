#include "IconObject.h"
#include "ImageListObject.h"

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

int CImageList::GetImageCount() const
{
    return m_list ? static_cast<int>(m_list->images.size()) : 0;
}

HIMAGELIST CImageList::GetSafeHandle() const
{
    return m_list.get();
}
