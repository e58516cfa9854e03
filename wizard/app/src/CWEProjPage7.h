#pragma once
// The errors of creation, shown only when there are some: a fatal one
// leaves only Back; an SQL or table error opens the way to editing the
// request and retrying.

#include "CWEProjPropPage.h"

#include "wizardui/WEErrorsList.h"

class CWEProjPage7 : public CWEProjPropPage {
public:
    CWEProjPage7();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;

    const CWEErrorsList& ErrorList() const { return m_list; }

private:
    // Fills the list and sets Next and the editing button from the errors.
    void ShowErrors();
    void Retry();

    CWEErrorsList m_list;
};
