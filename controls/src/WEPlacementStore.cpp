#include "controls/WEPlacementStore.h"
#include "ui/WinApp.h"

#include <cstdio>
#include <string>

namespace {
constexpr char kPlacementEntry[] = "WindowPlacement";
}

BOOL CWEPlacementStore::SavePlacement(HWND hwnd, LPCSTR section, BOOL rectOnly)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(WINDOWPLACEMENT);
    if (!GetWindowPlacement(hwnd, &placement))
        return FALSE;
    if (rectOnly) {
        GetWindowRect(hwnd, &placement.rcNormalPosition);
        placement.showCmd = SW_SHOWNORMAL;
        placement.flags = 0;
    }
    const RECT& rect = placement.rcNormalPosition;
    char text[96];
    std::snprintf(text, sizeof(text), "%d,%d,%d,%d,%d,%d", static_cast<int>(rect.left), static_cast<int>(rect.top),
                  static_cast<int>(rect.right), static_cast<int>(rect.bottom), static_cast<int>(placement.showCmd),
                  static_cast<int>(placement.flags));
    CWinApp* app = AfxGetApp();
    return app && app->WriteProfileString(section, kPlacementEntry, text);
}

BOOL CWEPlacementStore::LoadPlacement(HWND hwnd, LPCSTR section, BOOL rectOnly)
{
    CWinApp* app = AfxGetApp();
    if (!app || !IsWindow(hwnd))
        return FALSE;
    std::string text = app->GetProfileString(section, kPlacementEntry, "");
    int left, top, right, bottom, show, flags, used = 0;
    if (std::sscanf(text.c_str(), "%d,%d,%d,%d,%d,%d%n", &left, &top, &right, &bottom, &show, &flags, &used) != 6 ||
        used != static_cast<int>(text.size()) || right <= left || bottom <= top)
        return FALSE;
    if (rectOnly)
        return SetWindowPos(hwnd, nullptr, left, top, right - left, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(WINDOWPLACEMENT);
    placement.flags = static_cast<UINT>(flags);
    placement.showCmd = show == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    placement.ptMinPosition = POINT{-1, -1};
    placement.ptMaxPosition = POINT{-1, -1};
    placement.rcNormalPosition = RECT{left, top, right, bottom};
    return SetWindowPlacement(hwnd, &placement);
}
