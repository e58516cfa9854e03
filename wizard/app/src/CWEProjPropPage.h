#pragma once
// The base of every wizard page: the way to the sheet's shared state, the
// Next button, the Cancel question and Help. Pages never call each other;
// they meet only in the sheet's members. A page with a header title shows
// it in the sheet's header band; the others hide the band.

#include "ui/PropertyPage.h"

#include <functional>

class CWEErrors;
class CWEFieldsDataSet;
class CWEHTMLDocument;
class CWEProjWizard;
class CWEProjectSettings;

class CWEProjPropPage : public CPropertyPage {
public:
    explicit CWEProjPropPage(UINT templateId);

    // Each throws the unexpected error when the page has no sheet.
    CWEProjWizard& GetWizardSheet() const;
    CWEProjectSettings& GetWizard() const;
    CWEHTMLDocument& GetHTMLDocument() const;
    CWEErrors& GetCheckErrors() const;
    CWEFieldsDataSet& GetFieldsDataSet() const;
    CWEErrors& GetCreationErrors() const;

    // Back and Next, or Back alone. The buttons are posted, so that they
    // change after the notification the page is handling.
    void SetWizardButtons(bool next);
    void PostWizardButtons(DWORD flags);
    BOOL OnQueryCancel() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;

protected:
    // Runs a handler's work; an exception is shown in its own box and the
    // answer is false.
    static bool RunReported(const std::function<void()>& work);
    // The control's text without blanks at either end.
    std::string TrimmedText(int id) const;
};
