#pragma once
// A dialog built from a template: modal through DoModal, modeless through
// Create. IDOK and IDCANCEL commands reach OnOK and OnCancel; closing the
// window or pressing Escape is IDCANCEL.

#include "ui/DialogTemplate.h"
#include "ui/Wnd.h"

class CDialog : public CWnd {
public:
    // The template is looked up in the resource module when the window is made.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    explicit CDialog(const DialogTemplate& dialog, CWnd* parent = nullptr);
    ~CDialog() override;

    // Answers the EndDialog result, or -1 when the dialog could not be made.
    // With no display the dialog is not made: a line on stderr names it and
    // the answer is IDCANCEL, as if the user had closed it. An offscreen
    // platform that the environment asked for runs the dialog while a test
    // watches dialogs (SetDialogShownHook) or the dialog ends itself at
    // set-up; otherwise it is cancelled with the same line on stderr.
    INT_PTR DoModal();
    // A modeless dialog; shown when its template has WS_VISIBLE. A template
    // with WS_CHILD makes a child window of `parent` (a property page).
    BOOL Create(CWnd* parent = nullptr);
    void EndDialog(int result);

    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    BOOL OnCommand(int id, UINT code, HWND control) override;

    UINT GetTemplateId() const { return m_nIDTemplate; }
    // The template the window is made from, or null when there is none.
    const DialogTemplate* ResolveTemplate() const;

private:
    BOOL CreateFromTemplate(bool modal);

    UINT m_nIDTemplate = 0;
    const DialogTemplate* m_pTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;
    bool m_bModal = false;
    int m_nResult = -1;
    bool m_bEnded = false;
    void* m_pLoop = nullptr; // the running modal loop
};
