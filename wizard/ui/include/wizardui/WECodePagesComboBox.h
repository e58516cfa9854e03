#pragma once
// The drop-down list of code pages from which the user picks the survey
// page's encoding. Each item keeps its code page's record.

#include "ui/ComboBox.h"
#include "wizardui/WECodePageRecord.h"

#include <memory>
#include <vector>

class CWECodePagesComboBox : public CComboBox {
public:
    // Every code page the source yields for the browser filter, in order.
    void Fill(const WECodePageSource& source);
    // Throws std::runtime_error when the list refuses the item.
    void Add(const WECodePageRecord& record);
    // False when nothing is selected.
    bool GetSelection(WECodePageRecord& record) const;
    // Selects the first item whose web charset, lower-cased, equals `name`
    // exactly; with no match, or no name, the selection stays.
    void SelectByName(const std::string& name);

private:
    std::vector<std::unique_ptr<WECodePageRecord>> m_records;
};
