#include "wizardui/WEErrorsList.h"

#include <stdexcept>

std::string SeverityCaption(DWORD messageId)
{
    switch (messageId >> 30) {
    case 0: return "Success";
    case 1: return "Information";
    case 2: return "Warning";
    default: return "Fatal error";
    }
}

void CWEErrorsList::InitColumns()
{
    SetExtendedStyle(LVS_EX_FULLROWSELECT);
    if (InsertColumn(0, "Status") < 0 || InsertColumn(1, "Description") < 0)
        throw std::runtime_error("The error list cannot take its columns.");
    SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
    SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
}

void CWEErrorsList::Fill(const std::vector<WEErrorItem>& errors)
{
    if (!DeleteAllItems())
        throw std::runtime_error("The error list cannot be emptied.");
    for (const auto& [id, text] : errors) {
        int item = InsertItem(GetItemCount(), SeverityCaption(id).c_str());
        if (item < 0 || !SetItemText(item, 1, text.c_str()))
            throw std::runtime_error("The error list refused the error \"" + text + "\".");
    }
    SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
    SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
}
