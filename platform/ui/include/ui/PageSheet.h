#pragma once
// What every sheet of pages shares: the pages it shows, in order, and a
// window template that the sheet builds around the largest of them.

#include "ui/PropertyPage.h"

#include <vector>

class CPageSheet : public CDialog {
public:
    // Before the window is made; the sheet does not own the page.
    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;

protected:
    explicit CPageSheet(LPCSTR caption, CWnd* parent);
    // The page has joined; the sheet lays its template out again.
    virtual void OnPageAdded(CPropertyPage* page) = 0;
    // The size, in dialog units, of the largest page template.
    SIZE LargestPage() const;

    DialogTemplate m_template;
    std::vector<CPropertyPage*> m_pages;
};
