#include "WizardFrame.h"
#include "ui/PostMessage.h"
#include "ui/PropertySheet.h"

#include <algorithm>

namespace {

constexpr short kButtonWidth = 50;
constexpr short kButtonHeight = 14;
constexpr short kButtonRow = 26; // below the pages, in dialog units
constexpr short kMargin = 7;
constexpr short kHeaderHeight = 36; // the Wizard97 band, in dialog units

} // namespace

CPropertySheet::CPropertySheet(LPCSTR caption, CWnd* parent) : CPageSheet(caption, parent) {}

CPropertySheet::CPropertySheet(LPCSTR caption, CWnd* parent, UINT selectPage, HBITMAP watermark, HBITMAP header)
    : CPropertySheet(caption, parent)
{
    m_nStartPage = selectPage;
    m_hbmWatermark = watermark;
    m_hbmHeader = header;
    m_psh.dwFlags |= (watermark ? PSH_WATERMARK : 0) | (header ? PSH_HEADER : 0);
}

CPropertyPage* CPropertySheet::GetActivePage() const { return GetPage(m_nActive); }

void CPropertySheet::OnPageAdded(CPropertyPage* page)
{
    page->m_pSheet = this;
    BuildTemplate();
}

void CPropertySheet::BuildTemplate()
{
    SIZE largest = LargestPage();
    short width = static_cast<short>(largest.cx);
    short height = static_cast<short>(largest.cy);
    width = std::max<short>(width, 4 * kButtonWidth + 3 * kMargin + 10);
    if (IsWizard97())
        height = static_cast<short>(height + kHeaderHeight);
    m_template.cx = width;
    m_template.cy = static_cast<short>(height + kButtonRow);
    short y = static_cast<short>(height + (kButtonRow - kButtonHeight) / 2);
    short help = static_cast<short>(width - kMargin - kButtonWidth);
    short cancel = static_cast<short>(help - kMargin - kButtonWidth);
    short next = static_cast<short>(cancel - kMargin - kButtonWidth);
    short back = static_cast<short>(next - kButtonWidth);
    DWORD button = WS_VISIBLE | WS_TABSTOP;
    m_template.items = {
        {"Button", "< &Back", ID_WIZBACK, button, 0, back, y, kButtonWidth, kButtonHeight},
        {"Button", "&Next >", ID_WIZNEXT, button | BS_DEFPUSHBUTTON, 0, next, y, kButtonWidth, kButtonHeight},
        {"Button", "Finish", ID_WIZFINISH, WS_TABSTOP, 0, next, y, kButtonWidth, kButtonHeight},
        {"Button", "Cancel", IDCANCEL, button, 0, cancel, y, kButtonWidth, kButtonHeight},
        {"Button", "Help", IDHELP, button, 0, help, y, kButtonWidth, kButtonHeight},
    };
}

// The sheet's flags may change after the pages are added; the window is
// made from the template as they stand now.
int CPropertySheet::OnCreate()
{
    BuildTemplate();
    RECT client{0, 0, m_template.cx, m_template.cy};
    MapDialogRect(m_hWnd, &client);
    SetWindowPos(m_hWnd, HWND_TOP, 0, 0, client.right, client.bottom, SWP_NOMOVE | SWP_NOZORDER);
    return CDialog::OnCreate();
}

BOOL CPropertySheet::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWizardButtons(PSWIZB_NEXT);
    if (!Activate(static_cast<int>(m_nStartPage), +1))
        EndDialog(IDCANCEL);
    return TRUE;
}

BOOL CPropertySheet::Activate(int index, int direction)
{
    for (; index >= 0 && index < GetPageCount(); index += direction) {
        CPropertyPage* page = m_pages[static_cast<size_t>(index)];
        if (!page->GetSafeHwnd() && !page->Create(this))
            continue;
        if (!page->OnSetActive())
            continue;
        if (CPropertyPage* previous = GetActivePage(); previous && previous != page)
            ShowWindow(*previous, SW_HIDE);
        ShowFrameOf(*page);
        ShowTitleOf(*page);
        ShowWindow(*page, SW_SHOW);
        m_nActive = index;
        return TRUE;
    }
    return FALSE;
}

// A wizard's title bar shows the caption of the page it shows; a page
// without one leaves the sheet's.
void CPropertySheet::ShowTitleOf(CPropertyPage& page)
{
    const DialogTemplate* pageTemplate = page.ResolveTemplate();
    const std::string& title = pageTemplate && !pageTemplate->caption.empty() ? pageTemplate->caption : m_template.caption;
    SetWindowText(m_hWnd, title.c_str());
}

void CPropertySheet::ShowFrameOf(CPropertyPage& page)
{
    if (!IsWizard97())
        return;
    WizardLook look;
    look.headerShown = (page.m_psp.dwFlags & PSP_HIDEHEADER) == 0;
    if (page.m_psp.dwFlags & PSP_USEHEADERTITLE)
        look.title = page.m_strHeaderTitle;
    if (page.m_psp.dwFlags & PSP_USEHEADERSUBTITLE)
        look.subtitle = page.m_strHeaderSubTitle;
    look.header = m_hbmHeader;
    look.watermark = m_hbmWatermark;
    RECT area{0, 0, 0, static_cast<LONG>(m_template.cy - kButtonRow)};
    RECT band{0, 0, 0, kHeaderHeight};
    MapDialogRect(m_hWnd, &area);
    MapDialogRect(m_hWnd, &band);
    look.areaHeight = area.bottom;
    look.headerHeight = band.bottom;
    DressWizardPage(m_hWnd, page, look);
}

BOOL CPropertySheet::SetActivePage(int index)
{
    if (!GetPage(index))
        return FALSE;
    if (CPropertyPage* page = GetActivePage(); page && !page->OnKillActive())
        return FALSE;
    return Activate(index, +1);
}

int CPropertySheet::IndexOfTemplate(UINT templateId) const
{
    for (int i = 0; i < GetPageCount(); ++i)
        if (m_pages[static_cast<size_t>(i)]->GetTemplateId() == templateId)
            return i;
    return -1;
}

void CPropertySheet::Travel(LRESULT answer, int direction)
{
    if (answer == -1)
        return;
    int target = answer == 0 ? m_nActive + direction : IndexOfTemplate(static_cast<UINT>(answer));
    if (target < 0 || !GetActivePage()->OnKillActive())
        return;
    Activate(target, direction);
}

void CPropertySheet::SetWizardButtons(DWORD flags)
{
    bool finish = flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH);
    EnableWindow(GetDlgItem(ID_WIZBACK), (flags & PSWIZB_BACK) != 0);
    ShowWindow(GetDlgItem(ID_WIZNEXT), finish ? SW_HIDE : SW_SHOW);
    EnableWindow(GetDlgItem(ID_WIZNEXT), (flags & PSWIZB_NEXT) != 0);
    ShowWindow(GetDlgItem(ID_WIZFINISH), finish ? SW_SHOW : SW_HIDE);
    EnableWindow(GetDlgItem(ID_WIZFINISH), (flags & PSWIZB_FINISH) != 0);
}

BOOL CPropertySheet::PressButton(int button)
{
    int id = button == PSBTN_BACK     ? ID_WIZBACK
             : button == PSBTN_NEXT   ? ID_WIZNEXT
             : button == PSBTN_FINISH ? ID_WIZFINISH
             : button == PSBTN_CANCEL ? IDCANCEL
             : button == PSBTN_HELP   ? IDHELP
                                      : 0;
    HWND control = GetDlgItem(id);
    if (!control || !IsWindowEnabled(control) || !(GetWindowLong(control, GWL_STYLE) & static_cast<LONG>(WS_VISIBLE)))
        return FALSE;
    return OnCommand(id, BN_CLICKED, control);
}

BOOL CPropertySheet::OnCommand(int id, UINT code, HWND control)
{
    CPropertyPage* page = GetActivePage();
    if (code != BN_CLICKED || !page)
        return CDialog::OnCommand(id, code, control);
    switch (id) {
    case ID_WIZBACK:
        Travel(page->OnWizardBack(), -1);
        return TRUE;
    case ID_WIZNEXT:
        Travel(page->OnWizardNext(), +1);
        return TRUE;
    case ID_WIZFINISH:
        if (page->OnKillActive() && page->OnWizardFinish())
            EndDialog(ID_WIZFINISH);
        return TRUE;
    case IDHELP:
        page->OnCommand(ID_HELP, BN_CLICKED, control);
        return TRUE;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

LRESULT CPropertySheet::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != PSM_SETWIZBUTTONS)
        return CDialog::OnMessage(message, wParam, lParam);
    SetWizardButtons(static_cast<DWORD>(lParam));
    return 0;
}

void CPropertySheet::OnCancel()
{
    CPropertyPage* page = GetActivePage();
    if (!page || page->OnQueryCancel())
        EndDialog(IDCANCEL);
}
