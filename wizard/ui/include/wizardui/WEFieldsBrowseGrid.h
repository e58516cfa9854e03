#pragma once
// The table-fields grid of the wizard: one row per form field with its
// column name, type and size, which the user edits in place before the
// table is made. Column 0 holds the name, 1 the type, 2 the size (shown
// and editable only for the character type).
//
//     CWEFieldsBrowseGrid grid(typeText);
//     grid.SubclassDlgItem(1014, &page);
//     grid.Initialize();
//     grid.AddFieldRow("Field001", WE_FIELD_CHARACTER, 255);
//     grid.CollectFields([](const CWEGridFieldCell& f, const CWEGridTypeCell& t, const CWEGridSizeCell& s) {
//         return Keep(f.m_strName, t.m_nType, s.m_nSize);
//     });

#include "ui/FlexGrid.h"
#include "wizardui/WECellComboBox.h"
#include "wizardui/WECellEdit.h"
#include "wizardui/WEGridCell.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Answers false to report the row as unusable.
using WEFieldRowSink =
    std::function<bool(const CWEGridFieldCell& field, const CWEGridTypeCell& type, const CWEGridSizeCell& size)>;

class CWEFieldsBrowseGrid : public CFlexGrid {
public:
    explicit CWEFieldsBrowseGrid(WEFieldTypeText typeText);

    // After SubclassWindow: remembers the grid's origin and makes the
    // three editors, hidden.
    void Initialize();
    void AddFieldRow(const std::string& name, int type, int size);
    // The header and one empty row, which the next AddFieldRow fills.
    void ClearRows();
    // Ends an edit in progress, then gives every row to the sink in order.
    // Throws std::logic_error when a row lacks its values or the sink
    // refuses one.
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
    struct StoredCell {
        long col;
        long row;
        std::unique_ptr<CWEGridCell> cell;
    };
    void Store(long col, long row, std::unique_ptr<CWEGridCell> cell);
    CWEGridCell* Find(long col, long row, WEGridCellTag tag) const;
    CWEGridFieldCell* FieldAt(long row) const;
    CWEGridTypeCell* TypeAt(long row) const;
    CWEGridSizeCell* SizeAt(long row) const;
    std::string SizeText(long row) const;

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

    WEFieldTypeText m_typeText;
    std::vector<StoredCell> m_cells;
    CWECellEdit m_nameEdit;
    CWECellComboBox m_typeList;
    CWECellEdit m_sizeEdit;
    long m_nOriginLeft = 0;
    long m_nOriginTop = 0;
    int m_nDpiX = 96;
    int m_nDpiY = 96;
    bool m_bBusy = false;
    bool m_bHasFields = false;
};
