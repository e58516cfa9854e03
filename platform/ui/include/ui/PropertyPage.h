#pragma once
// One page of a wizard. Its template must have WS_CHILD; the sheet makes
// the page's window the first time the page becomes active.

#include "ui/Dialog.h"

class CPropertySheet;
class CTabbedPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId) : CDialog(templateId) {}

    // FALSE skips the page in the direction of travel.
    virtual BOOL OnSetActive() { return TRUE; }
    // FALSE keeps the page active.
    virtual BOOL OnKillActive() { return TRUE; }
    // 0 goes to the neighbouring page, -1 stays, a template id goes to that page.
    virtual LRESULT OnWizardNext() { return 0; }
    virtual LRESULT OnWizardBack() { return 0; }
    // FALSE keeps the wizard open.
    virtual BOOL OnWizardFinish() { return TRUE; }
    // FALSE refuses the Cancel.
    virtual BOOL OnQueryCancel() { return TRUE; }
    // The page's own OK and Cancel belong to the sheet.
    void OnOK() override {}
    void OnCancel() override {}

    CPropertySheet* GetSheet() const { return m_pSheet; }

    // In a tabbed sheet: the page has changes that Apply would take; the
    // sheet enables Apply while any page has.
    void SetModified(BOOL changed = TRUE);
    BOOL IsModified() const { return m_bModified; }
    // Takes the page's changes (Apply, or OK); FALSE keeps the sheet open.
    virtual BOOL OnApply() { return TRUE; }

private:
    friend class CPropertySheet;
    friend class CTabbedPropertySheet;
    CPropertySheet* m_pSheet = nullptr;
    CTabbedPropertySheet* m_pTabbedSheet = nullptr;
    BOOL m_bModified = FALSE;
};
