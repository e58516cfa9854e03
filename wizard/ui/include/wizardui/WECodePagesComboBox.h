#pragma once
// The drop-down list of code pages from which the user picks the survey
// page's encoding, as the wizard's code-page table lists them for the
// browser. Each item keeps its code page's record.

#include "ui/ComboBox.h"
#include "wizard/CWEMultilang.h"

#include <string>
#include <vector>

class CWECodePagesComboBox : public CComboBox {
public:
    // Every code page the table yields for the browser, in its order, in
    // place of what the list showed.
    void Fill(const CWEMultilang& multilang);
    // False when nothing is selected.
    bool GetSelection(MIMECPINFO& page) const;
    // Selects the first item whose web charset, lower-cased, equals `name`
    // exactly; with no match, or no name, the selection stays.
    void SelectByName(const std::string& name);

private:
    const MIMECPINFO& PageAt(int index) const;

    std::vector<MIMECPINFO> m_pages;
};
