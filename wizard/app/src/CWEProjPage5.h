#pragma once
// The database link: the connection string of the answer database and the
// name of the new table that receives the answers, which must not exist
// there yet.
//
// The connection string comes from the data-link prompt (CWEWizardDialogs);
// the edit also takes a typed string, so that a database can be named while
// no prompt is plugged in.

#include "CWEProjPropPage.h"

#include <string>

class CWEProjPage5 : public CWEProjPropPage {
public:
    CWEProjPage5();

    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;

    bool IsValid();
    // Whether the database lists a table of that name; both must be given.
    static bool TableExists(const std::string& connection, const std::string& table);

private:
    void ChooseDataSource();
    void CheckTableName();
    // The "already exists" question; Yes shows the database's tables.
    void OfferTableList(const std::string& connection, const std::string& table);

    int m_nFilling = 1;
};
