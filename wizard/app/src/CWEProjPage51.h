#pragma once
// The form's fields as future columns of the answer table: name, type and
// size of each, changed in the fields grid (control 1014). The grid shows
// the field set when the page opens and gives its rows back to the set
// when the page is left, either way.

#include "CWEProjPropPage.h"

#include "com/Unknown.h"
#include "wizardui/WEFieldsBrowseGrid.h"

#include <string>

class CWEProjPage51 : public CWEProjPropPage {
public:
    CWEProjPage51();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    // The field that the form named `oldName` takes the new name (or none,
    // when empty), type and size; E_FAIL when there is no such field.
    HRESULT OnFieldEdited(const std::string& oldName, const std::string& newName, int type, int size);

    CWEFieldsBrowseGrid& Grid() { return m_grid; }

private:
    CWEFieldsBrowseGrid m_grid;
};
