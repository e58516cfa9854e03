#pragma once
// The database link: the connection string of the answer database and the
// name of the new table that receives the answers, which must not exist
// there yet.
//
// The connection string comes from the data-link prompt (CWEWizardDialogs);
// its edit only shows it.

#include "CWEProjPropPage.h"

#include <string>

class CWEProjPage5 : public CWEProjPropPage {
public:
    CWEProjPage5();

    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;

    bool IsValid();

private:
    // Whether the database lists a table of that name; both must be given.
    // A database that cannot be read is WE_E_DB_CONNECT.
    static bool TableTaken(const std::string& connection, const std::string& table);
    void ChooseDataSource();
    void CheckTableName();
    // The "already exists" question; Yes shows the database's tables.
    void OfferTableList(const std::string& connection, const std::string& table);

    int m_nFilling = 1;
};
