#pragma once
// The options page's controls drawn by the add-in with the theme, so that
// they look like the client's other option pages: a check box, push
// buttons, static texts and icons, each painting itself over the page's
// tab background. A theme change opens each control's theme again and
// repaints it.

#include "theme/CWEThemeHolder.h"

#include "ui/Icon.h"
#include "ui/Wnd.h"

class CWEThemedControl : public CWnd {
public:
    CWEThemedControl() : m_Theme(u"Button") {}

    // Subclasses the page's control and opens the control's theme.
    BOOL Subclass(int id, CWnd* page);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnDestroy() override { m_Theme.Close(); }

    HTHEME GetTheme() const { return m_Theme.GetTheme(); }
    bool IsHot() const { return m_bHot; }
    bool IsFocused() const { return m_bFocused; }

protected:
    // Check boxes and buttons follow the mouse and the focus.
    virtual bool TracksMouseAndFocus() const { return false; }
    // Draws the control over its parent's background; `client` is its
    // whole client area.
    virtual void Paint(HDC dc, const RECT& client) = 0;
    // The control's text, up to 255 characters, as the theme functions take it.
    std::u16string WideText() const;

private:
    CWEThemeHolder m_Theme;
    bool m_bHot = false;
    bool m_bFocused = false;
};

class CWEThemedCheckBox : public CWEThemedControl {
protected:
    bool TracksMouseAndFocus() const override { return true; }
    void Paint(HDC dc, const RECT& client) override;
};

class CWEThemedButton : public CWEThemedControl {
protected:
    bool TracksMouseAndFocus() const override { return true; }
    void Paint(HDC dc, const RECT& client) override;
};

class CWEThemedStatic : public CWEThemedControl {
protected:
    void Paint(HDC dc, const RECT& client) override;
};

// Holds its icon and destroys it with itself.
class CWEThemedIcon : public CWEThemedControl {
public:
    ~CWEThemedIcon() override;
    void SetIcon(HICON icon);
    HICON GetIcon() const { return m_hIcon; }

protected:
    void Paint(HDC dc, const RECT& client) override;

private:
    HICON m_hIcon = nullptr;
};
