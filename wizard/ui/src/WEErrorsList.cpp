#include "wizardui/WEErrorsList.h"

#include "WizardResources.h"

#include "wizard/WEUtils.h"

#include <stdexcept>

void CWEErrorsList::InitColumns()
{
    SetExtendedStyle(LVS_EX_FULLROWSELECT);
    if (InsertColumn(0, "Status") < 0 || InsertColumn(1, "Description") < 0)
        throw std::runtime_error("The error list cannot take its columns.");
    SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
    SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
}

void CWEErrorsList::Fill(const CWEErrors& errors)
{
    if (!DeleteAllItems())
        throw std::runtime_error("The error list cannot be emptied.");
    for (std::size_t i = 0; i < errors.GetCount(); ++i) {
        const std::string& text = errors.GetText(i);
        const int item = InsertItem(GetItemCount(), LoadWizardString(SeverityCaptionId(errors.GetId(i))).c_str());
        if (item < 0 || !SetItemText(item, 1, text.c_str()))
            throw std::runtime_error("The error list refused the error \"" + text + "\".");
    }
    SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
    SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
}
