#include "theme/CWEThemedControl.h"

#include "theme/IsThemeLibraryAvailable.h"

#include "ui/Paint.h"
#include "ui/PostMessage.h"
#include "ui/Theme.h"
#include "ui/Window.h"
#include "win/CodePage.h"

namespace {

constexpr int kTextGap = 3;    // between a check box's box and its text
constexpr int kFocusInset = 3; // a button's focus rectangle inside its edge
constexpr std::size_t kMaxText = 255;

} // namespace

BOOL CWEThemedControl::Subclass(int id, CWnd* page)
{
    if (!SubclassDlgItem(id, page))
        return FALSE;
    m_Theme.Open(m_hWnd);
    return TRUE;
}

std::u16string CWEThemedControl::WideText() const
{
    std::string text = GetWindowTextString(m_hWnd);
    if (text.size() > kMaxText)
        text.resize(kMaxText);
    return ToWide(text);
}

LRESULT CWEThemedControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    m_Theme.OnMessage(message);
    switch (message) {
    case WM_THEMECHANGED:
        InvalidateRect(m_hWnd, nullptr, TRUE);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (TracksMouseAndFocus()) {
            m_bFocused = message == WM_SETFOCUS;
            InvalidateRect(m_hWnd, nullptr, TRUE);
        }
        return 0;
    case WM_MOUSELEAVE:
        if (TracksMouseAndFocus() && m_bHot) {
            m_bHot = false;
            InvalidateRect(m_hWnd, nullptr, TRUE);
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(m_hWnd, &paint);
        if (!dc)
            return 0;
        RECT client{};
        GetClientRect(m_hWnd, &client);
        if (IsThemeLibraryAvailable())
            DrawThemeParentBackground(m_hWnd, dc, &client);
        Paint(dc, client);
        EndPaint(m_hWnd, &paint);
        return 1;
    }
    default:
        return CWnd::OnMessage(message, wParam, lParam);
    }
}

void CWEThemedControl::OnMouseMove(UINT flags, POINT point)
{
    if (!TracksMouseAndFocus() || m_bHot)
        return;
    m_bHot = true;
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = m_hWnd;
    TrackMouseEvent(&track);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CWEThemedCheckBox::Paint(HDC dc, const RECT& client)
{
    const UINT state = static_cast<UINT>(SendMessage(m_hWnd, BM_GETSTATE, 0, 0));
    const bool pushed = state & BST_PUSHED;
    const int part = (state & BST_CHECKED) ? (pushed ? 7 : IsHot() ? 6 : 5) : (pushed ? 3 : IsHot() ? 2 : 1);
    SIZE box{13, 13};
    GetThemePartSize(GetTheme(), dc, BP_CHECKBOX, part, &client, TS_TRUE, &box);
    SIZE extent{};
    const std::string text = GetWindowTextString(m_hWnd);
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const int textTop = (client.bottom - extent.cy) / 2;
    const RECT boxRect{0, textTop + extent.cy - box.cy, box.cx, textTop + extent.cy};
    DrawThemeBackground(GetTheme(), dc, BP_CHECKBOX, part, &boxRect, nullptr);
    const RECT textRect{box.cx + kTextGap, textTop, client.right, textTop + extent.cy};
    const std::u16string wide = WideText();
    DrawThemeText(GetTheme(), dc, BP_CHECKBOX, part, wide.c_str(), static_cast<int>(wide.size()),
                  DT_LEFT | DT_SINGLELINE, 0, &textRect);
    if (IsFocused()) {
        const RECT focus{textRect.left - 1, textRect.top - 1, textRect.left + extent.cx + 1, textRect.bottom + 1};
        DrawFocusRect(dc, &focus);
    }
}

void CWEThemedButton::Paint(HDC dc, const RECT& client)
{
    const UINT state = static_cast<UINT>(SendMessage(m_hWnd, BM_GETSTATE, 0, 0));
    const int part = !IsWindowEnabled(m_hWnd)   ? PBS_DISABLED
                     : (state & BST_PUSHED)     ? PBS_PRESSED
                     : IsHot()                  ? PBS_HOT
                     : IsFocused()              ? PBS_DEFAULTED
                                                : PBS_NORMAL;
    DrawThemeBackground(GetTheme(), dc, BP_PUSHBUTTON, part, &client, nullptr);
    const std::u16string wide = WideText();
    DrawThemeText(GetTheme(), dc, BP_PUSHBUTTON, part, wide.c_str(), static_cast<int>(wide.size()),
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, &client);
    if (IsFocused()) {
        const RECT focus{client.left + kFocusInset, client.top + kFocusInset, client.right - kFocusInset,
                         client.bottom - kFocusInset};
        DrawFocusRect(dc, &focus);
    }
}

void CWEThemedStatic::Paint(HDC dc, const RECT& client)
{
    const std::string text = GetWindowTextString(m_hWnd);
    SetBkMode(dc, TRANSPARENT);
    RECT area = client;
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_LEFT | DT_WORDBREAK);
}

CWEThemedIcon::~CWEThemedIcon()
{
    if (m_hIcon)
        DestroyIcon(m_hIcon);
}

void CWEThemedIcon::SetIcon(HICON icon)
{
    if (m_hIcon && m_hIcon != icon)
        DestroyIcon(m_hIcon);
    m_hIcon = icon;
    SetStaticIcon(m_hWnd, icon);
}

void CWEThemedIcon::Paint(HDC dc, const RECT&)
{
    DrawIcon(dc, 0, 0, m_hIcon);
}
