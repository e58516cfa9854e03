// The fields grid's in-place editing: which editor a cell gets, where it
// floats, and what it writes back.
#include "wizardui/WEFieldsBrowseGrid.h"

#include "ui/Focus.h"
#include "ui/PostMessage.h"

#include <cstdlib>

namespace {

constexpr long kInsetX = 50; // twips between a cell's edge and its edit
constexpr long kInsetY = 60;
constexpr int kListRoom = 100; // pixels below a type cell for the drop-down
constexpr long kNameCol = 0;
constexpr long kTypeCol = 1;
constexpr long kSizeCol = 2;

// The leading decimal digits, 0 when there are none.
int LeadingNumber(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 10)); }

} // namespace

void CWEFieldsBrowseGrid::Place(HWND editor, bool inset)
{
    long dx = inset ? kInsetX : 0;
    long dy = inset ? kInsetY : 0;
    int left = static_cast<int>((GetCellLeft() - m_nOriginLeft + dx) * m_nDpiX / 1440);
    int top = static_cast<int>((GetCellTop() - m_nOriginTop + dy) * m_nDpiY / 1440);
    int width = static_cast<int>((GetCellWidth() - dx) * m_nDpiX / 1440);
    int height = static_cast<int>((GetCellHeight() - dy) * m_nDpiY / 1440);
    if (!inset)
        height += kListRoom;
    MoveWindow(editor, left, top, width, height, TRUE);
}

void CWEFieldsBrowseGrid::Float(HWND editor, bool inset)
{
    Place(editor, inset);
    ShowWindow(editor, SW_SHOW);
    SetFocus(editor);
}

void CWEFieldsBrowseGrid::BeginEdit()
{
    long row = GetRow();
    CWEField* field = FieldAt(row);
    if (!field || m_bBusy)
        return;
    switch (GetCol()) {
    case kNameCol:
        m_nameEdit.Begin(field->m_strName);
        Float(m_nameEdit, true);
        break;
    case kTypeCol:
        m_typeList.Begin(field->m_nType);
        Float(m_typeList, false);
        break;
    case kSizeCol:
        // The size of a numeric, BLOB or text column is not the user's to set.
        m_sizeEdit.Begin(SizeText(row));
        if (field->m_nType == WE_FIELD_CHARACTER)
            Float(m_sizeEdit, true);
        break;
    default:
        break;
    }
}

void CWEFieldsBrowseGrid::EndEdit()
{
    long row = GetRow();
    long col = GetCol();
    CWEField* field = FieldAt(row);
    if (col == kNameCol && IsWindowVisible(m_nameEdit)) {
        if (field) {
            field->m_strName = GetWindowTextString(m_nameEdit);
            SetTextMatrix(row, col, field->m_strName.c_str());
        }
        SetWindowText(m_nameEdit, "");
        ShowWindow(m_nameEdit, SW_HIDE);
    } else if (col == kTypeCol && IsWindowVisible(m_typeList)) {
        if (field && m_typeList.GetCurSel() >= 0) {
            field->m_nType = m_typeList.SelectedType();
            SetTextMatrix(row, col, m_typeList.GetLBText(m_typeList.GetCurSel()).c_str());
        }
        ShowWindow(m_typeList, SW_HIDE);
    } else if (col == kSizeCol && IsWindowVisible(m_sizeEdit)) {
        if (field && field->m_nType == WE_FIELD_CHARACTER)
            field->m_nSize = LeadingNumber(GetWindowTextString(m_sizeEdit));
        SetTextMatrix(row, col, SizeText(row).c_str());
        SetWindowText(m_sizeEdit, "");
        ShowWindow(m_sizeEdit, SW_HIDE);
    }
}

void CWEFieldsBrowseGrid::PlaceEditors()
{
    if (IsWindowVisible(m_nameEdit))
        Place(m_nameEdit, true);
    if (IsWindowVisible(m_typeList))
        Place(m_typeList, false);
    if (IsWindowVisible(m_sizeEdit))
        Place(m_sizeEdit, true);
}

void CWEFieldsBrowseGrid::NextCell()
{
    if (GetCol() + 1 < GetCols()) {
        SetCol(GetCol() + 1);
        return;
    }
    long row = GetRow() + 1 < GetRows() ? GetRow() + 1 : 1;
    SetCol(0);
    SetRow(row);
}

void CWEFieldsBrowseGrid::OnKey(UINT key)
{
    if (key == VK_TAB || key == VK_RETURN)
        NextCell();
    else if (key == VK_UP && GetRow() >= 2)
        SetRow(GetRow() - 1);
    else if (key == VK_DOWN && GetRow() + 1 < GetRows())
        SetRow(GetRow() + 1);
}

void CWEFieldsBrowseGrid::OnTypeChanged(int type)
{
    long row = GetRow();
    const CWEField* field = FieldAt(row);
    if (!field)
        return;
    SetTextMatrix(row, kSizeCol, type == WE_FIELD_CHARACTER ? std::to_string(field->m_nSize).c_str() : "");
}

void CWEFieldsBrowseGrid::OnEnterCell() { Guarded([this] { BeginEdit(); }); }
void CWEFieldsBrowseGrid::OnClick() { Guarded([this] { BeginEdit(); }); }
void CWEFieldsBrowseGrid::OnLeaveCell() { Guarded([this] { EndEdit(); }); }
void CWEFieldsBrowseGrid::OnScroll() { Guarded([this] { PlaceEditors(); }); }

LRESULT CWEFieldsBrowseGrid::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN) {
        UINT key = static_cast<UINT>(wParam);
        Guarded([this, key] { OnKey(key); });
        return key == VK_TAB || key == VK_RETURN || key == VK_UP || key == VK_DOWN;
    }
    if (message == WM_WE_TYPECHANGED) {
        Guarded([this, lParam] { OnTypeChanged(static_cast<int>(lParam)); });
        return 0;
    }
    return CFlexGrid::OnMessage(message, wParam, lParam);
}
