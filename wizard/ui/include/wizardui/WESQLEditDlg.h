#pragma once
// The resizable editor of the CREATE TABLE request. The caller fills
// m_strSqlText and m_strSqlDefault (the generated request, for "Restore
// Default") and m_bCheck; after IDOK, m_strSqlText holds the user's request
// when m_bModified is set, and m_bCheck whether to check it first. A
// changed request shows "*" after the caption.

#include "controls/WEAnchorDialog.h"

#include <string>

class CWESQLEditDlg : public CWEAnchorDialog {
public:
    explicit CWESQLEditDlg(CWnd* parent = nullptr);
    ~CWESQLEditDlg() override;

    BOOL OnInitDialog() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;
    void OnOK() override;
    void OnCancel() override;

    std::string m_strSqlText;
    std::string m_strSqlDefault;
    BOOL m_bModified = FALSE;
    // Set until the dialog has filled its edit, so that making the edit is
    // no change.
    BOOL m_bFilling = TRUE;
    BOOL m_bCheck = TRUE;

private:
    void MarkModified();
    void RestoreDefault();

    HFONT m_hEditFont = nullptr;
    std::string m_strCaption;
};
