#include "wizardui/WETablesListCtrl.h"

void CWETablesListCtrl::InitColumns()
{
    SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InsertColumn(0, "Type");
    InsertColumn(1, "Name");
}

bool CWETablesListCtrl::AddTable(const std::string& type, const std::string& name)
{
    int item = InsertItem(GetItemCount(), type.c_str());
    if (item < 0)
        return false;
    m_rows.push_back(std::make_unique<WETableRow>(WETableRow{name, type}));
    SetItemText(item, 1, name.c_str());
    SetItemData(item, reinterpret_cast<DWORD_PTR>(m_rows.back().get()));
    SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
    SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
    return true;
}

const WETableRow* CWETablesListCtrl::GetSelectedTable(int* item) const
{
    int selected = GetNextItem(-1, LVNI_SELECTED);
    if (item)
        *item = selected;
    return selected < 0 ? nullptr : reinterpret_cast<const WETableRow*>(GetItemData(selected));
}
