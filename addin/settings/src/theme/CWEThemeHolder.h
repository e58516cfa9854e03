#pragma once
// The open theme of one window for a class list ("TAB", "Button"): opened
// only when the theme library is there, closed with the holder.

#include "ui/Theme.h"

#include <string>

class CWEThemeHolder {
public:
    explicit CWEThemeHolder(std::u16string classList) : m_strClassList(std::move(classList)) {}
    ~CWEThemeHolder() { Close(); }
    CWEThemeHolder(const CWEThemeHolder&) = delete;
    CWEThemeHolder& operator=(const CWEThemeHolder&) = delete;

    void Open(HWND hwnd);
    void Close();
    // What every themed window does first with its messages: a theme
    // change (WM_THEMECHANGED) closes the theme and opens it again.
    void OnMessage(UINT message);
    HTHEME GetTheme() const { return m_hTheme; }

private:
    std::u16string m_strClassList;
    HWND m_hWnd = nullptr;
    HTHEME m_hTheme = nullptr;
};
