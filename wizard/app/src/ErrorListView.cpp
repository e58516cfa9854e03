#include "ErrorListView.h"

#include "PlandrelIds.h"
#include "PlandrelStrings.h"

#include "wizard/WEUtils.h"

void SetUpErrorColumns(CListCtrl& list)
{
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    list.InsertColumn(0, PlandrelString(IDS_COLUMN_STATUS).c_str());
    list.InsertColumn(1, PlandrelString(IDS_COLUMN_DESCRIPTION).c_str());
}

void FillErrorList(CListCtrl& list, const CWEErrors& errors)
{
    list.DeleteAllItems();
    for (std::size_t i = 0; i < errors.GetCount(); ++i) {
        const int row = list.InsertItem(list.GetItemCount(), PlandrelString(SeverityCaptionId(errors.GetId(i))).c_str());
        list.SetItemText(row, 1, errors.GetText(i).c_str());
    }
    list.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
    list.SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
}
