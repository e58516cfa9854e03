#pragma once
// The tables of the answer database, one of which the user may drop.
// Every table and view of the data source is listed, whatever its type.

#include "ui/Dialog.h"
#include "wizardui/WETablesListCtrl.h"

#include <string>

class CWETablesDialog : public CDialog {
public:
    CWETablesDialog(const std::string& connectionString, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;
    LRESULT OnNotify(const NMHDR* header) override;

    CWETablesListCtrl& List() { return m_list; }

private:
    void FillList();
    void DeleteSelected();

    std::string m_strConnection;
    CWETablesListCtrl m_list;
};
