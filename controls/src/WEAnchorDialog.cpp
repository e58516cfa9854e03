#include "controls/WEAnchorDialog.h"

CWEAnchorDialog::CWEAnchorDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CWEAnchorDialog::~CWEAnchorDialog()
{
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

void CWEAnchorDialog::EnableSaveRestore(LPCSTR section, BOOL rectOnly)
{
    m_strSection = section ? section : "";
    m_bSaveOnDestroy = TRUE;
    m_bRectOnly = rectOnly;
    LoadPlacement(m_hWnd, m_strSection.c_str(), m_bRectOnly);
}

int CWEAnchorDialog::OnCreate()
{
    if (CDialog::OnCreate() == -1)
        return -1;
    RECT rect{};
    GetClientRect(m_hWnd, &rect);
    // A sizing frame in place of the fixed one; the client area keeps the
    // size of the template.
    DWORD style = static_cast<DWORD>(GetWindowLong(m_hWnd, GWL_STYLE));
    style = (style & ~DS_MODALFRAME) | WS_POPUP | WS_THICKFRAME;
    SetWindowLong(m_hWnd, GWL_STYLE, static_cast<LONG>(style));
    AdjustWindowRectEx(&rect, style, FALSE, static_cast<DWORD>(GetWindowLong(m_hWnd, GWL_EXSTYLE)));
    SetWindowPos(m_hWnd, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    return CreateSizeGrip(m_hWnd) ? 0 : -1;
}

BOOL CWEAnchorDialog::OnInitDialog()
{
    BOOL result = CDialog::OnInitDialog();
    RECT window{};
    GetWindowRect(m_hWnd, &window);
    SetMinTrackSize(SIZE{window.right - window.left, window.bottom - window.top});
    PlaceSizeGrip(m_hWnd);
    m_bInitialised = TRUE;
    return result;
}

void CWEAnchorDialog::OnGetMinMaxInfo(MINMAXINFO* info)
{
    CDialog::OnGetMinMaxInfo(info);
    if (m_bInitialised)
        GetMinMaxInfo(info);
}

void CWEAnchorDialog::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (type == SIZE_MAXSHOW || type == SIZE_MAXHIDE)
        return;
    if (m_bInitialised) {
        PlaceSizeGrip(m_hWnd);
        LayoutControls();
    }
}

#ifndef POLLENTA_CONTROLS_ADDIN
BOOL CWEAnchorDialog::OnEraseBkgnd(HDC dc)
{
    ClipChildren(dc);
    return CDialog::OnEraseBkgnd(dc);
}
#endif

void CWEAnchorDialog::OnDestroy()
{
    if (m_bSaveOnDestroy)
        SavePlacement(m_hWnd, m_strSection.c_str(), m_bRectOnly);
    RemoveAllAnchors();
    m_bInitialised = FALSE;
    CDialog::OnDestroy();
}
