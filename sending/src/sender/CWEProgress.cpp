#include "CWEProgress.h"

#include "SendingDialogs.h"
#include "lang/CWELanguages.h"
#include "lang/LocalizeDialog.h"

#include "ui/MessageLoop.h"

namespace {

// The height of the error part, in pixels, that the collapsed window hides.
constexpr int kErrorPartHeight = 142;

constexpr std::uint32_t kTextErrorsOpen = 102;
constexpr std::uint32_t kTextErrorsClose = 1031;
constexpr std::uint32_t kTextClose = 111;
constexpr std::uint32_t kTextErrorColumn = 2100;

}  // namespace

CWEProgress::CWEProgress() : CDialog(ProgressDialogTemplate()) {}

CWEProgress::~CWEProgress()
{
    m_errorList.Detach();
    m_bar.Detach();
}

void CWEProgress::SetTexts(const std::string& caption, const std::string& status)
{
    m_strCaption = caption;
    m_strStatus = status;
}

BOOL CWEProgress::OnInitDialog()
{
    LocalizeDialog(*this, IDD_PROGRESS);
    m_errorList.Attach(GetDlgItem(IDC_ERRORS_LIST));
    m_bar.Attach(GetDlgItem(IDC_PROGRESS_BAR));
    m_errorList.InsertColumn(0, Languages().LoadLangString(kTextErrorColumn).c_str(), LVCFMT_LEFT);
    m_bar.SetStep(1);
    if (m_nTotal != 0)
        m_bar.SetRange32(0, m_nTotal);
    if (!m_strCaption.empty())
        SetWindowText(m_hWnd, m_strCaption.c_str());
    if (!m_strStatus.empty())
        SetDlgItemText(m_hWnd, IDC_PROGRESS_STATUS, m_strStatus.c_str());
    EnableWindow(GetDlgItem(IDC_ERRORS_TOGGLE), FALSE);
    RECT rect{};
    GetClientRect(m_hWnd, &rect);
    m_expanded = {rect.right - rect.left, rect.bottom - rect.top};
    m_collapsed = {m_expanded.cx, m_expanded.cy - kErrorPartHeight};
    m_bCollapsed = true;
    ApplyCollapsed();
    return TRUE;
}

void CWEProgress::ApplyCollapsed()
{
    const SIZE size = m_bCollapsed ? m_collapsed : m_expanded;
    SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    const std::string label = Languages().LoadLangString(m_bCollapsed ? kTextErrorsOpen : kTextErrorsClose);
    SetDlgItemText(m_hWnd, IDC_ERRORS_TOGGLE, label.c_str());
}

void CWEProgress::Show()
{
    if (m_bShown)
        return;
    CWnd parent;
    parent.Attach(m_hParent && IsWindow(m_hParent) ? m_hParent : nullptr);
    Create(parent.m_hWnd ? &parent : nullptr);
    parent.Detach();
    if (!m_hWnd)
        return;
    ShowWindow(m_hWnd, SW_SHOW);
    UpdateWindow(m_hWnd);
    m_bShown = true;
}

void CWEProgress::SetRange(int total)
{
    m_nTotal = total;
    if (m_hWnd && total != 0)
        m_bar.SetRange32(0, total);
}

void CWEProgress::StepIt()
{
    if (m_nTotal < 3)
        return;
    Show();
    PumpMessages();
    if (m_hWnd) {
        m_bar.StepIt();
        ++m_nPrepared;
        SetDlgItemText(m_hWnd, IDC_PROGRESS_COUNT, std::to_string(m_nPrepared).c_str());
    }
    PumpMessages();
}

void CWEProgress::AddError(const std::string& text)
{
    Show();
    ++m_nErrors;
    PumpMessages();
    if (m_hWnd && !text.empty()) {
        int row = m_errorList.InsertItem(m_errorList.GetItemCount(), text.c_str());
        m_errorList.SetColumnWidth(0, LVSCW_AUTOSIZE);
        POINT at{};
        if (!m_errorList.EnsureVisible(row, FALSE) && m_errorList.GetItemPosition(row, &at))
            m_errorList.Scroll(SIZE{0, at.y});
    }
    if (m_hWnd && m_nErrors == 1) {
        EnableWindow(GetDlgItem(IDC_ERRORS_TOGGLE), TRUE);
        m_bCollapsed = false;
        ApplyCollapsed();
    }
    PumpMessages();
}

void CWEProgress::PumpMessages()
{
    if (m_bShown)
        PumpWaitingMessages();
}

int CWEProgress::WaitForClose()
{
    if (!m_bShown)
        return 0;
    if (m_nErrors > 0 && m_hWnd) {
        SetDlgItemText(m_hWnd, IDCANCEL, Languages().LoadLangString(kTextClose).c_str());
        // A Cancel during the run hid the window; its errors are still shown.
        if (!IsWindowVisible(m_hWnd))
            ShowWindow(m_hWnd, SW_SHOW);
        m_bClosing = false;
        m_bWaiting = true;
        // A quit request ends the wait and stays for the host's own loop.
        RunMessageLoopUntil([this] { return m_bClosing; });
        m_bWaiting = false;
    }
    if (m_hWnd) {
        m_bar.SetPos(m_nTotal);
        EndDialog(IDOK);
        DestroyWindow(m_hWnd);
    }
    return 1;
}

void CWEProgress::UserStops()
{
    PumpMessages();
    if (!m_bWaiting)
        m_bCancelled = true;
    PumpMessages();
    m_bClosing = true;
}

void CWEProgress::OnCancel()
{
    UserStops();
    CDialog::OnCancel();
}

void CWEProgress::OnClose()
{
    UserStops();
    CDialog::OnCancel();
}

BOOL CWEProgress::OnCommand(int id, UINT code, HWND control)
{
    if (id == IDC_ERRORS_TOGGLE && code == BN_CLICKED) {
        m_bCollapsed = !m_bCollapsed;
        ApplyCollapsed();
        return TRUE;
    }
    return CDialog::OnCommand(id, code, control);
}
