#pragma once
// A row of tabs. Attach it to a dialog's "SysTabControl32" control; a
// change of the selected tab tells the parent TCN_SELCHANGE.

#include "ui/Wnd.h"

class CTabCtrl : public CWnd {
public:
    // Answers the new tab's index, or -1.
    int InsertItem(int index, LPCSTR text);
    int GetItemCount() const;
    int GetCurSel() const;
    // Selecting by the program tells nobody, as on Windows.
    int SetCurSel(int index);
};
