#pragma once
// The wizard's sheet: its eleven pages and the state they share, the
// settings record, the checked page, the errors of the check, the form's
// fields and the errors of creation. Destroyed in reverse: the errors and
// fields go before the document and the settings, the pages and the
// pictures last.

#include "CWEProjPage0.h"
#include "CWEProjPage1.h"
#include "CWEProjPage2.h"
#include "CWEProjPage3.h"
#include "CWEProjPage31.h"
#include "CWEProjPage4.h"
#include "CWEProjPage5.h"
#include "CWEProjPage51.h"
#include "CWEProjPage6.h"
#include "CWEProjPage7.h"
#include "CWEProjPageFinish.h"
#include "CWEWizardPictures.h"

#include "wizard/CWEErrors.h"
#include "wizard/CWEFieldsDataSet.h"
#include "wizard/CWEHTMLDocument.h"
#include "wizard/CWEProjectSettings.h"

#include "ui/PropertySheet.h"

// The pictures come first among the bases: the sheet is built with them.
class CWEProjWizard : private CWEWizardPictures, public CPropertySheet {
public:
    // A Wizard97 sheet: registers the page dialogs and adds the pages in
    // their order.
    CWEProjWizard();

    // Gives the sheet its icon.
    BOOL OnInitDialog() override;

    CWEProjPage0 m_page0;
    CWEProjPage1 m_page1;
    CWEProjPage2 m_page2;
    CWEProjPage3 m_page3;
    CWEProjPage31 m_page31;
    CWEProjPage4 m_page4;
    CWEProjPage5 m_page5;
    CWEProjPage51 m_page51;
    CWEProjPage6 m_page6;
    CWEProjPage7 m_page7;
    CWEProjPageFinish m_pageFinish;

    CWEProjectSettings m_settings;
    CWEHTMLDocument m_document;
    CWEErrors m_checkErrors;
    CWEFieldsDataSet m_fields;
    CWEErrors m_creationErrors;
};
