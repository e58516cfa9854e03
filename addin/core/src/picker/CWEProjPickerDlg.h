#pragma once
// "Choose the survey project...": the completed projects by name, a view of
// a project's page, deletion of a project and the pick. Resizable (the
// list grows, the buttons keep to the right edge); its window rectangle is
// kept in the registry (HKEY_CURRENT_USER\Software\Velquin Ltd\Pollenta\
// PickerPosition, "DialogPlacement": left, top, right, bottom as four
// little-endian 32-bit numbers).
//
//     CWEProjPickerDlg picker(log);
//     if (picker.DoModal() == IDOK) CreateNewMessage(picker.GetPickedProjectId());

#include "picker/CWEProjListCtrl.h"

#include "controls/WEAnchorDialog.h"

class CWEProjPickerDlg : public CWEAnchorDialog {
public:
    static constexpr UINT IDD = 208;
    static constexpr int IDC_PROJECTS = 201;
    static constexpr int IDC_HELP = 224;
    static constexpr int IDC_VIEW = 225;
    static constexpr int IDC_DELETE = 226;
    static constexpr int IDC_EMPTY = 227;
    static constexpr const char* kPlacementKey = "Software\\Velquin Ltd\\Pollenta\\PickerPosition";

    explicit CWEProjPickerDlg(CWELog& log, CWnd* parent = nullptr);

    LONG GetPickedProjectId() const { return m_lPickedId; }
    CWEProjListCtrl& GetList() { return m_List; }

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;
    LRESULT OnNotify(const NMHDR* header) override;

private:
    void UpdateButtons();
    void RestorePlacement();
    void SavePlacement();
    void ViewProject();
    void DeleteProject();
    // The selected row's project id; 0 when none is selected.
    LONG SelectedId() const;
    void ShowError(const std::string& text, UINT type) const;

    CWELog& m_log;
    LONG m_lPickedId = 0;
    CWEProjListCtrl m_List;
};
