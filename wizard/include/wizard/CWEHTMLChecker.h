#pragma once
// Checks the page the user chose: loads it, requires exactly one form with
// controls and a submit button, names unnamed controls ("Field001" ...),
// takes the names off submit and reset buttons, reports duplicate names,
// field names that differ only in case (an error: they cannot both be
// columns), a form encoding the add-in cannot read and empty selects, checks that every picture file exists and makes
// every picture reference absolute, and takes the title and the mailto address as defaults for the project.

#include "wizard/CWEErrors.h"
#include "wizard/CWEHTMLDocument.h"
#include "wizard/CWEPictureCallback.h"
#include "wizard/CWEProjectSettings.h"

#include "html/HtmlForm.h"
#include "keytree/CZrKeyTree.h"

#include <map>
#include <string>

class CWEHTMLChecker : public CWEPictureCallback {
public:
    // WE_S_OK when the check ran to its end; else the id of the error that
    // stopped it (already in the errors collection). Warnings never stop it.
    DWORD Check(CWEHTMLDocument& document, const std::string& pagePath, CWEErrors& errors,
                CWEProjectSettings& settings);

    // A missing picture file is an error; the reference becomes its path.
    int OnPicture(CWEPicture& picture, CWEProjectSettings& data, CWEErrors& errors, bool& changed, int number) override;

private:
    void CheckControls(pollenta::html::HtmlForm& form, CWEErrors& errors);
    void CheckInput(pollenta::html::HtmlElement& control, CWEErrors& errors);
    void CheckSelect(pollenta::html::HtmlElement& control, CWEErrors& errors);
    void NameIfUnnamed(pollenta::html::HtmlElement& control, DWORD warning, CWEErrors& errors);
    void CheckDuplicate(const std::string& name, CWEErrors& errors);
    // Column names are compared without regard to case by the database.
    void CheckColumnName(const std::string& name, CWEErrors& errors);
    void TakeDefaults(const pollenta::html::HtmlDocument& document, const pollenta::html::HtmlForm& form,
                      CWEProjectSettings& settings);

    int m_nControls = 0;
    int m_nSubmits = 0;
    int m_nNameCounter = 1;
    std::string m_strPattern;
    CZrKeyTree m_names;
    std::map<std::string, std::string> m_columnNames;  // lower-cased -> as first met
};
