#pragma once
// The progress window of a personal sending: a bar, the number of copies
// prepared, Cancel, and an error list that opens below when the first error
// arrives. It appears on the first step of a run of at least three copies,
// or with the first error; at the end it waits for the user only when it
// shows errors.

#include "ui/Dialog.h"
#include "ui/ListCtrl.h"
#include "ui/ProgressCtrl.h"

#include <string>

class CWEProgress : public CDialog {
public:
    CWEProgress();
    ~CWEProgress() override;

    void SetOwnerWindow(HWND parent) { m_hParent = parent; }
    // Empty texts keep the window's own.
    void SetTexts(const std::string& caption, const std::string& status);

    void SetRange(int total);
    void StepIt();
    void AddError(const std::string& text);
    void PumpMessages();
    // 0 for a window never shown; 1 after the window closed (with errors,
    // once the user closed it, or a quit was requested).
    int WaitForClose();

    bool IsCancelled() const { return m_bCancelled; }
    bool IsShown() const { return m_bShown; }
    // In the final wait for the user to close the window.
    bool IsWaiting() const { return m_bWaiting; }
    int ErrorCount() const { return m_nErrors; }
    int PreparedCount() const { return m_nPrepared; }

    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnClose() override;
    BOOL OnCommand(int id, UINT code, HWND control) override;

private:
    void Show();
    void ApplyCollapsed();
    void UserStops();

    int m_nTotal = 0;
    int m_nPrepared = 0;
    std::string m_strCaption;
    std::string m_strStatus;
    int m_nErrors = 0;
    bool m_bCancelled = false;
    bool m_bClosing = false;
    bool m_bWaiting = false;
    SIZE m_expanded{};
    SIZE m_collapsed{};
    bool m_bCollapsed = true;
    HWND m_hParent = nullptr;
    bool m_bShown = false;
    CListCtrl m_errorList;
    CProgressCtrl m_bar;
};
