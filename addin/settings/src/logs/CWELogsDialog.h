#pragma once
// "View / delete logs": the add-in's log files with the day each was
// started; opens one in the user's viewer, deletes the chosen ones or all.
// Only the log writer's own files are listed, so that no command ever
// deletes another file of the log folder, or the folder.
//
//     CWELogsDialog logs(parent);
//     logs.m_pSettings = &settings;
//     logs.DoModal();

#include "logs/CWELogsList.h"

#include "ui/Dialog.h"

class CWELogsDialog : public CDialog {
public:
    static constexpr UINT kTemplateId = 215;
    static constexpr int IDC_LOGS = 211;
    static constexpr int IDC_OPEN = 212;
    static constexpr int IDC_DELETE = 213;
    static constexpr int IDC_DELETE_ALL = 214;

    explicit CWELogsDialog(CWnd* parent = nullptr);

    const CWESettings* m_pSettings = nullptr;
    CWELogsList& GetList() { return m_list; }

    BOOL OnInitDialog() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;
    LRESULT OnNotify(const NMHDR* header) override;

private:
    static const DialogTemplate& Template();
    void UpdateButtons();
    void OpenSelected();
    void DeleteSelected();
    void DeleteAll();

    CWELogsList m_list;
};
