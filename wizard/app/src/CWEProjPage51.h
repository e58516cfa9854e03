#pragma once
// The form's fields as future columns of the answer table: name, type and
// size of each, changed through the fields grid in control 1014. The grid
// plugs in there and calls OnFieldEdited when a cell edit ends; until it
// does, the page shows the note on field types and lets the walk go on
// with the fields as the form gave them.

#include "CWEProjPropPage.h"

#include "com/Unknown.h"

#include <string>

class CWEProjPage51 : public CWEProjPropPage {
public:
    CWEProjPage51();

    BOOL OnSetActive() override;

    // The field that the form named `oldName` takes the new name (or none,
    // when empty), type and size; E_FAIL when there is no such field.
    HRESULT OnFieldEdited(const std::string& oldName, const std::string& newName, int type, int size);
};
