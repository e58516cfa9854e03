#pragma once
// A sheet of pages under tabs, above OK, Cancel and Apply, as an options
// dialog shows its pages. Apply is enabled while a page is modified
// (CPropertyPage::SetModified); Apply and OK let every modified page take
// its changes (OnApply).
//
//     CTabbedPropertySheet sheet("Options");
//     sheet.AddPage(&mailPage);
//     sheet.AddPage(&addinPage);
//     sheet.DoModal();

#include "ui/PageSheet.h"
#include "ui/TabCtrl.h"

// The Apply button's command.
inline constexpr int ID_APPLY_NOW = 0x3021;
inline constexpr int IDC_SHEET_TABS = 0x3020;

class CTabbedPropertySheet : public CPageSheet {
public:
    explicit CTabbedPropertySheet(LPCSTR caption, CWnd* parent = nullptr);

    // A page's tab shows its template's caption.
    int GetActiveIndex() const { return m_nActive; }
    BOOL SetActivePage(int index);
    // FALSE when a page refused its changes; that page becomes active.
    BOOL Apply();

    BOOL OnInitDialog() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;
    LRESULT OnNotify(const NMHDR* header) override;
    void OnOK() override;

private:
    friend class CPropertyPage;
    void OnPageModified();
    void OnPageAdded(CPropertyPage* page) override;
    BOOL ShowPage(int index);

    CTabCtrl m_tabs;
    int m_nActive = -1;
};
