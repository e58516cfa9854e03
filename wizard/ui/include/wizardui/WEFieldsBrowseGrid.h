#pragma once
// The table-fields grid of the wizard: one row per form field with its
// column name, type and size, which the user edits in place before the
// table is made. Column 0 holds the name, 1 the type (the engine's type
// texts), 2 the size (shown and editable only for the character type).
// Each row keeps its field as the form gave it and as the user changed it.
//
//     CWEFieldsBrowseGrid grid;
//     grid.SubclassDlgItem(1014, &page);
//     grid.Initialize();
//     grid.AddFieldRow(CWEField("Field001", WE_FIELD_CHARACTER, 255));
//     grid.CollectFields([](const CWEField& field) { return Keep(field); });

#include "ui/FlexGrid.h"
#include "wizardui/WECellComboBox.h"
#include "wizardui/WECellEdit.h"
#include "wizardui/WEFieldTypes.h"
#include "wizard/CWEField.h"

#include <functional>
#include <string>
#include <vector>

// Answers false to report the row as unusable.
using WEFieldRowSink = std::function<bool(const CWEField& field)>;

class CWEFieldsBrowseGrid : public CFlexGrid {
public:
    // After SubclassWindow: remembers the grid's origin and makes the
    // three editors, hidden.
    void Initialize();
    void AddFieldRow(const CWEField& field);
    // The header and one empty row, which the next AddFieldRow fills.
    void ClearRows();
    // Ends an edit in progress, then gives every row to the sink in order.
    // Throws std::logic_error when the sink refuses a row.
    void CollectFields(const WEFieldRowSink& sink);

    void OnEnterCell() override;
    void OnLeaveCell() override;
    void OnClick() override;
    void OnScroll() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The editors, for the page's tests.
    CWECellEdit& NameEdit() { return m_nameEdit; }
    CWECellComboBox& TypeList() { return m_typeList; }
    CWECellEdit& SizeEdit() { return m_sizeEdit; }

private:
    // The field of a grid row; null for the header and the empty row.
    CWEField* FieldAt(long row);
    std::string SizeText(long row);

    void BeginEdit();
    void EndEdit();
    void PlaceEditors();
    void Place(HWND editor, bool inset);
    // Over the current cell, shown, with the focus.
    void Float(HWND editor, bool inset);
    void NextCell();
    void OnKey(UINT key);
    void OnTypeChanged(int type);
    void Guarded(const std::function<void()>& action);

    std::vector<CWEField> m_fields; // row 1 onwards
    CWECellEdit m_nameEdit;
    CWECellComboBox m_typeList;
    CWECellEdit m_sizeEdit;
    long m_nOriginLeft = 0;
    long m_nOriginTop = 0;
    int m_nDpiX = 96;
    int m_nDpiY = 96;
    bool m_bBusy = false;
};
