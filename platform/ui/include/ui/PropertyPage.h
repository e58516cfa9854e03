#pragma once
// One page of a wizard. Its template must have WS_CHILD; the sheet makes
// the page's window the first time the page becomes active.

#include "ui/Dialog.h"

#include <string>

class CPropertySheet;
class CTabbedPropertySheet;

// A Wizard97 page shows its header title and subtitle in the band above it,
// or, with PSP_HIDEHEADER, fills the sheet with the watermark at its left.
inline constexpr DWORD PSP_HIDEHEADER = 0x00000800;
inline constexpr DWORD PSP_USEHEADERTITLE = 0x00001000;
inline constexpr DWORD PSP_USEHEADERSUBTITLE = 0x00002000;

struct PROPSHEETPAGE {
    DWORD dwFlags = 0;
};

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId) : CDialog(templateId) {}
    // Titles in the ANSI code page; an empty one leaves its flag clear.
    CPropertyPage(UINT templateId, LPCSTR headerTitle, LPCSTR headerSubTitle = nullptr);

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

    PROPSHEETPAGE m_psp;
    std::string m_strHeaderTitle;
    std::string m_strHeaderSubTitle;

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
