#include "ui/TabbedPropertySheet.h"

#include <algorithm>

namespace {

constexpr short kMargin = 7;
constexpr short kTabHeight = 14;
constexpr short kButtonWidth = 50;
constexpr short kButtonHeight = 14;
constexpr short kButtonRow = 26;

} // namespace

void CPropertyPage::SetModified(BOOL changed)
{
    m_bModified = changed;
    if (m_pTabbedSheet)
        m_pTabbedSheet->OnPageModified();
}

CTabbedPropertySheet::CTabbedPropertySheet(LPCSTR caption, CWnd* parent) : CPageSheet(caption, parent) {}

void CTabbedPropertySheet::OnPageAdded(CPropertyPage* page)
{
    page->m_pTabbedSheet = this;
    SIZE largest = LargestPage();
    short width = static_cast<short>(largest.cx);
    short height = static_cast<short>(largest.cy);
    width = static_cast<short>(std::max<short>(width, 3 * kButtonWidth + 2 * kMargin) + 2 * kMargin);
    short pagesBottom = static_cast<short>(kMargin + kTabHeight + height);
    m_template.cx = width;
    m_template.cy = static_cast<short>(pagesBottom + kButtonRow);
    short y = static_cast<short>(pagesBottom + (kButtonRow - kButtonHeight) / 2);
    short apply = static_cast<short>(width - kMargin - kButtonWidth);
    short cancel = static_cast<short>(apply - kMargin / 2 - kButtonWidth);
    short ok = static_cast<short>(cancel - kMargin / 2 - kButtonWidth);
    DWORD button = WS_VISIBLE | WS_TABSTOP;
    m_template.items = {
        {WC_TABCONTROL, "", IDC_SHEET_TABS, WS_VISIBLE | WS_TABSTOP, 0, kMargin, kMargin,
         static_cast<short>(width - 2 * kMargin), kTabHeight},
        {"Button", "OK", IDOK, button | BS_DEFPUSHBUTTON, 0, ok, y, kButtonWidth, kButtonHeight},
        {"Button", "Cancel", IDCANCEL, button, 0, cancel, y, kButtonWidth, kButtonHeight},
        {"Button", "&Apply", ID_APPLY_NOW, button | WS_DISABLED, 0, apply, y, kButtonWidth, kButtonHeight},
    };
}

BOOL CTabbedPropertySheet::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_tabs.Attach(GetDlgItem(IDC_SHEET_TABS));
    for (CPropertyPage* page : m_pages) {
        const DialogTemplate* dialog = page->ResolveTemplate();
        m_tabs.InsertItem(m_tabs.GetItemCount(), dialog ? dialog->caption.c_str() : "");
    }
    SetActivePage(0);
    return TRUE;
}

BOOL CTabbedPropertySheet::ShowPage(int index)
{
    CPropertyPage* page = GetPage(index);
    if (!page)
        return FALSE;
    if (!page->GetSafeHwnd()) {
        if (!page->Create(this))
            return FALSE;
        RECT area{kMargin, kMargin + kTabHeight, 0, 0};
        MapDialogRect(m_hWnd, &area);
        SetWindowPos(*page, HWND_TOP, area.left, area.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    if (!page->OnSetActive())
        return FALSE;
    if (CPropertyPage* previous = GetPage(m_nActive); previous && previous != page) {
        previous->OnKillActive();
        ShowWindow(*previous, SW_HIDE);
    }
    ShowWindow(*page, SW_SHOW);
    m_nActive = index;
    m_tabs.SetCurSel(index);
    return TRUE;
}

BOOL CTabbedPropertySheet::SetActivePage(int index)
{
    if (CPropertyPage* current = GetPage(m_nActive); current && index != m_nActive && !current->OnKillActive()) {
        m_tabs.SetCurSel(m_nActive);
        return FALSE;
    }
    return ShowPage(index);
}

void CTabbedPropertySheet::OnPageModified()
{
    bool any = std::any_of(m_pages.begin(), m_pages.end(), [](CPropertyPage* page) { return page->IsModified(); });
    EnableWindow(GetDlgItem(ID_APPLY_NOW), any);
}

BOOL CTabbedPropertySheet::Apply()
{
    for (int index = 0; index < GetPageCount(); ++index) {
        CPropertyPage* page = GetPage(index);
        if (!page->IsModified())
            continue;
        if (!page->OnApply()) {
            ShowPage(index);
            return FALSE;
        }
        page->m_bModified = FALSE;
    }
    OnPageModified();
    return TRUE;
}

BOOL CTabbedPropertySheet::OnCommand(int id, UINT code, HWND control)
{
    if (id == ID_APPLY_NOW && code == BN_CLICKED) {
        Apply();
        return TRUE;
    }
    return CDialog::OnCommand(id, code, control);
}

LRESULT CTabbedPropertySheet::OnNotify(const NMHDR* header)
{
    if (header->idFrom == static_cast<UINT_PTR>(IDC_SHEET_TABS) && header->code == TCN_SELCHANGE)
        SetActivePage(m_tabs.GetCurSel());
    return 0;
}

void CTabbedPropertySheet::OnOK()
{
    if (Apply())
        CDialog::OnOK();
}
