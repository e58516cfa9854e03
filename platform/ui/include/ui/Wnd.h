#pragma once
// A C++ object that receives a window's messages. A dialog is one from its
// creation on; a dialog's control gets one through SubclassWindow. The
// handlers are virtual functions named after the messages; a handler that
// overrides one calls the base class for the default handling.

#include "ui/Gdi.h"
#include "ui/Window.h"

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // Detaches from a window that is still alive; the window stays.
    virtual ~CWnd();

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

    // Makes this object the receiver of the window's messages: runs
    // PreSubclassWindow, then attaches. Fails when the window does not exist
    // or already has a receiver.
    BOOL SubclassWindow(HWND hwnd);
    // Only names the window, for calls on it; its messages go elsewhere.
    BOOL Attach(HWND hwnd);
    HWND Detach();
    BOOL SubclassDlgItem(int id, CWnd* parent);
    HWND UnsubclassWindow();

    virtual void PreSubclassWindow() {}
    // Answers -1 to refuse the window; it is destroyed again.
    virtual int OnCreate() { return 0; }
    virtual void OnDestroy() {}
    virtual void OnSize(UINT type, int cx, int cy) {}
    // Asked whenever the window's size may change.
    virtual void OnGetMinMaxInfo(MINMAXINFO* info) {}
    // Default: fills the clip region of the context with the dialog colour.
    virtual BOOL OnEraseBkgnd(HDC dc);
    // WM_COMMAND from a child control; TRUE when handled.
    virtual BOOL OnCommand(int id, UINT code, HWND control) { return FALSE; }
    // The user closes the window (WM_CLOSE): by default the Cancel command.
    virtual void OnClose() { OnCommand(IDCANCEL, BN_CLICKED, nullptr); }
    // WM_NOTIFY from a child control.
    virtual LRESULT OnNotify(const NMHDR* header) { return 0; }
    // A control's own notification, offered to the control first
    // (reflection); TRUE keeps it from its parent.
    virtual BOOL OnChildCommand(UINT code) { return FALSE; }
    // A control's own WM_NOTIFY, offered to the control first (reflection);
    // TRUE keeps it from its parent, with `result` as the answer.
    virtual BOOL OnChildNotify(const NMHDR* header, LRESULT* result) { return FALSE; }
    // Colours of a control: the control's receiver first (CtlColor), then the
    // parent's (OnCtlColor). A null brush means "not handled".
    virtual HBRUSH CtlColor(HDC dc, UINT kind) { return nullptr; }
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) { return nullptr; }
    // TRUE when the handler has set the cursor with SetCursor.
    virtual BOOL OnSetCursor(HWND hwnd, UINT hitTest, UINT message) { return FALSE; }
    virtual void OnMouseMove(UINT flags, POINT point) {}
    virtual void OnTimer(UINT_PTR id) {}
    // A message sent or posted to the window (SendMessage, PostMessage)
    // that has no handler of its own above.
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) { return 0; }
};
