#pragma once
// The errors of the preliminary check, shown only when there are some.
// A fatal one leaves only Back.

#include "CWEProjPropPage.h"

#include "wizardui/WEErrorsList.h"

class CWEProjPage2 : public CWEProjPropPage {
public:
    CWEProjPage2();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    const CWEErrorsList& ErrorList() const { return m_list; }

private:
    CWEErrorsList m_list;
};
