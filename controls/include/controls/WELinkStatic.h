#pragma once
// A static text control that behaves like a web link: underlined text in
// link colours, a hand cursor, the target as tooltip, and a click that
// opens the target through the shell.

#include "ui/ToolTipCtrl.h"
#include "ui/Wnd.h"

#include <string>

class CWELinkStatic : public CWnd {
public:
    CWELinkStatic();
    ~CWELinkStatic() override;

    void SetLinkTarget(LPCSTR target);
    const std::string& GetLinkTarget() const { return m_strTarget; }

    // Opens the target with the shell; when the shell cannot, with the open
    // command of HTML files. Answers a value above 32 on success, else the
    // error code.
    static HINSTANCE OpenLinkTarget(LPCSTR target, int showCommand);
    // The text of the box that reports a failed opening.
    static std::string GetErrorText(INT_PTR code);

    void PreSubclassWindow() override;
    HBRUSH CtlColor(HDC dc, UINT kind) override;
    BOOL OnSetCursor(HWND hwnd, UINT hitTest, UINT message) override;
    void OnMouseMove(UINT flags, POINT point) override;
    BOOL OnChildCommand(UINT code) override;
    void OnClicked();

    BOOL IsVisited() const { return m_bVisited; }
    BOOL IsHovering() const { return m_bHovering; }
    const CToolTipCtrl& GetToolTip() const { return m_ToolTip; }

protected:
    void FitToText();
    void LoadHandCursor();

    COLORREF m_crUnvisited;
    COLORREF m_crVisited;
    COLORREF m_crHover;
    BOOL m_bHovering = FALSE;
    BOOL m_bVisited = FALSE;
    BOOL m_bUnderline = TRUE;
    BOOL m_bFitToText = TRUE;
    std::string m_strTarget;
    HFONT m_hLinkFont = nullptr;
    HCURSOR m_hHandCursor = nullptr;
    CToolTipCtrl m_ToolTip;
};
