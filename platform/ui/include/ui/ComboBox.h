#pragma once
// A combo box's list: strings with item data and the selection. Attach it
// to a dialog's "ComboBox" control.

#include "ui/Wnd.h"

#include <string>

inline constexpr int CB_ERR = -1;

class CComboBox : public CWnd {
public:
    int AddString(LPCSTR text);
    // -1 appends.
    int InsertString(int index, LPCSTR text);
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    // -1 clears the selection; an index out of range answers CB_ERR.
    int SetCurSel(int index);
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    std::string GetLBText(int index) const;
};
