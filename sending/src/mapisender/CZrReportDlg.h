#pragma once
// The report window of the second sending method: progress, a line per
// copy sent, per error and for the end, Cancel between copies, the report
// saved as text or CSV, and whether the window closes by itself when all
// went well (kept in the registry as "AutoClose").

#include "CZrAdrMapEntry.h"
#include "CZrReportList.h"

#include "ui/Dialog.h"
#include "ui/ProgressCtrl.h"

#include <string>

class CZrException;

class CZrReportDlg : public CDialog {
public:
    CZrReportDlg();
    ~CZrReportDlg() override;

    // Empty texts keep the window's own.
    void Show(const std::string& caption, const std::string& text, HWND parent);
    void SetProgress(int count, int total);
    void AddInfoLine(const std::string& text);
    void AddSentLine(const std::string& text);
    void AddError(const CZrAdrMapEntry& entry, const CZrException& error);
    void AddErrorText(const CZrException& error);
    // 0 for a window never shown; else IDCANCEL once the window is gone
    // (closed by the user, by itself, or on a quit request).
    int WaitForClose();

    bool IsCancelled() const { return m_bCancelled; }
    bool IsShown() const { return m_bShown; }
    bool IsWaiting() const { return m_bWaiting; }
    int ErrorCount() const { return m_nErrors; }
    CZrReportList& ReportList() { return m_list; }

    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnClose() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;

private:
    void PumpMessages();
    void UserCloses();
    void SaveAutoClose();
    void SaveReport();

    bool m_bShown = false;
    std::string m_strCaption;
    std::string m_strText;
    CZrReportList m_list;
    bool m_bClosing = false;
    bool m_bWaiting = false;
    bool m_bCancelled = false;
    int m_nErrors = 0;
    int m_nTotal = -1;
    CProgressCtrl m_bar;
};
