#include "ui/PageSheet.h"

#include <algorithm>

CPageSheet::CPageSheet(LPCSTR caption, CWnd* parent) : CDialog(m_template, parent)
{
    m_template.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    m_template.caption = caption ? caption : "";
}

void CPageSheet::AddPage(CPropertyPage* page)
{
    if (!page)
        return;
    m_pages.push_back(page);
    OnPageAdded(page);
}

CPropertyPage* CPageSheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

SIZE CPageSheet::LargestPage() const
{
    SIZE size{0, 0};
    for (CPropertyPage* page : m_pages)
        if (const DialogTemplate* dialog = page->ResolveTemplate()) {
            size.cx = std::max<LONG>(size.cx, dialog->cx);
            size.cy = std::max<LONG>(size.cy, dialog->cy);
        }
    return size;
}
