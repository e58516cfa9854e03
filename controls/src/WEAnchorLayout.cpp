#include "controls/WEAnchorLayout.h"

#include <string>

namespace {

std::string ClassOf(HWND hwnd)
{
    char name[260] = {};
    GetClassName(hwnd, name, static_cast<int>(sizeof(name)));
    return name;
}

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)); }

bool IsGroupBox(const std::string& className, DWORD style)
{
    return className == WC_BUTTON && (style & 0x1F) == BS_GROUPBOX;
}

// The window's rectangle in the client coordinates of its parent.
RECT ChildRect(HWND hwnd, HWND layout)
{
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(nullptr, layout, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

} // namespace

BOOL CWEAnchorLayout::IsOpaque(HWND hwnd)
{
    std::string name = ClassOf(hwnd);
    DWORD style = StyleOf(hwnd);
    if (name == TOOLBARCLASSNAME)
        return (style & TBSTYLE_TRANSPARENT) ? FALSE : TRUE;
    if (IsGroupBox(name, style))
        return FALSE;
    if (name == WC_STATIC) {
        switch (style & SS_TYPEMASK) {
        case SS_ICON:
        case SS_ENHMETAFILE:
            return (style & SS_CENTERIMAGE) ? FALSE : TRUE;
        case SS_BLACKRECT:
        case SS_GRAYRECT:
        case SS_WHITERECT:
        case SS_BITMAP:
        case SS_ETCHEDHORZ:
        case SS_ETCHEDVERT:
            return TRUE;
        default:
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CWEAnchorLayout::NeedsRefresh(HWND hwnd)
{
    if (ClassOf(hwnd) != WC_STATIC)
        return FALSE;
    DWORD style = StyleOf(hwnd);
    switch (style & SS_TYPEMASK) {
    case SS_ICON:
    case SS_SIMPLE:
    case SS_ETCHEDHORZ:
    case SS_ETCHEDVERT:
        return FALSE;
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_BITMAP:
    case SS_ENHMETAFILE:
        return TRUE;
    default:
        return (style & SS_CENTERIMAGE) ? TRUE : FALSE;
    }
}

void CWEAnchorLayout::GetLayoutRect(LPRECT rect) { GetClientRect(GetLayoutWnd(), rect); }

BOOL CWEAnchorLayout::ResolveItem(Item&) { return FALSE; }

void CWEAnchorLayout::AnchorControl(HWND hwnd, int topLeftX, int topLeftY, int bottomRightX, int bottomRightY)
{
    std::string name = ClassOf(hwnd);
    DWORD style = StyleOf(hwnd);
    if (IsGroupBox(name, style))
        SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(style | WS_CLIPSIBLINGS));
    if (bottomRightX == -1 && bottomRightY == -1) {
        bottomRightX = topLeftX;
        bottomRightY = topLeftY;
    }
    RECT layout{};
    GetLayoutRect(&layout);
    int width = layout.right - layout.left;
    int height = layout.bottom - layout.top;
    RECT rect = ChildRect(hwnd, GetLayoutWnd());

    Item item{};
    item.hWnd = hwnd;
    item.bListBox = name == WC_LISTBOX;
    item.bRefresh = NeedsRefresh(hwnd);
    item.szTopLeftAnchor = SIZE{topLeftX, topLeftY};
    item.szTopLeftOffset = SIZE{rect.left - width * topLeftX / 100, rect.top - height * topLeftY / 100};
    item.szBottomRightAnchor = SIZE{bottomRightX, bottomRightY};
    item.szBottomRightOffset = SIZE{rect.right - width * bottomRightX / 100, rect.bottom - height * bottomRightY / 100};
    m_items.push_back(item);
}

void CWEAnchorLayout::LayoutControls()
{
    RECT layout{};
    GetLayoutRect(&layout);
    int width = layout.right - layout.left;
    int height = layout.bottom - layout.top;
    HWND layoutWnd = GetLayoutWnd();
    HDWP batch = BeginDeferWindowPos(static_cast<int>(m_items.size()));

    for (size_t index = 0; index < m_items.size(); ++index) {
        Item& item = m_items[index];
        if (!item.hWnd) {
            if (!ResolveItem(item))
                continue;
            if (static_cast<int>(index) == m_nBatchStart) {
                EndDeferWindowPos(batch);
                batch = BeginDeferWindowPos(static_cast<int>(m_items.size()));
            }
        }
        RECT target{item.szTopLeftOffset.cx + width * item.szTopLeftAnchor.cx / 100,
                    item.szTopLeftOffset.cy + height * item.szTopLeftAnchor.cy / 100,
                    item.szBottomRightOffset.cx + width * item.szBottomRightAnchor.cx / 100,
                    item.szBottomRightOffset.cy + height * item.szBottomRightAnchor.cy / 100};
        RECT current = ChildRect(item.hWnd, layoutWnd);
        if (target == current)
            continue;

        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
        int oldWidth = current.right - current.left;
        int newWidth = target.right - target.left;
        if (item.bListBox) {
            // A list box scrolled near its end would otherwise show stale
            // pixels where its content shifts.
            int limit = GetScrollLimit(item.hWnd, SB_HORZ);
            if (limit > 0 && limit + oldWidth - newWidth < GetScrollPos(item.hWnd, SB_HORZ))
                flags |= SWP_NOCOPYBITS;
        }
        if (target.left == current.left && target.top == current.top)
            flags |= SWP_NOMOVE;
        if (newWidth == oldWidth && target.bottom - target.top == current.bottom - current.top)
            flags |= SWP_NOSIZE;
        batch = DeferWindowPos(batch, item.hWnd, nullptr, target.left, target.top, newWidth, target.bottom - target.top, flags);
    }
    EndDeferWindowPos(batch);
}

void CWEAnchorLayout::RemoveAllAnchors()
{
    m_items.clear();
    m_nBatchStart = 0;
}

#ifndef POLLENTA_CONTROLS_ADDIN
void CWEAnchorLayout::ClipChildren(HDC dc)
{
    for (const Item& item : m_items)
        if (item.hWnd && IsWindowVisible(item.hWnd))
            ClipChild(item.hWnd, dc);
}

void CWEAnchorLayout::ClipChild(HWND hwnd, HDC dc)
{
    RECT rect = ChildRect(hwnd, GetLayoutWnd());
    DPtoLP(dc, reinterpret_cast<LPPOINT>(&rect), 2);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(hwnd, region) == COMPLEXREGION) {
        OffsetRgn(region, rect.left, rect.top);
    } else {
        DeleteObject(region);
        region = CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
    }
    ExtSelectClipRgn(dc, region, IsOpaque(hwnd) ? RGN_DIFF : RGN_OR);
    DeleteObject(region);
}
#endif
