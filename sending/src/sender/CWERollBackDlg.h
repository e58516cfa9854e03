#pragma once
// Asks the user what becomes of the copies a cancelled run has prepared:
// leave them, keep them unsent in the Outbox, move them to Deleted Items or
// delete them.

#include "ui/Dialog.h"
#include "ui/Icon.h"

#include <string>

enum class RollBackAction { Leave = 0, KeepInOutbox = 1, MoveToDeletedItems = 2, Delete = 3 };

class CWERollBackDlg : public CDialog {
public:
    CWERollBackDlg(CWnd* parent, int preparedCount);
    ~CWERollBackDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;
    RollBackAction GetAction() const { return m_action; }

private:
    RollBackAction m_action = RollBackAction::Leave;
    int m_nPrepared;
    HICON m_hIcon = nullptr; // the component's icon 5, shown while the dialog lives
};

// The count put in place of the "%i" token of the text (the first one);
// the rest of the text is left as it is.
std::string InsertPreparedCount(const std::string& text, int count);
