#include "wizardui/WECellComboBox.h"

#include "ui/Focus.h"
#include "ui/PostMessage.h"
#include "wizard/WEUtils.h"

#include <stdexcept>

BOOL CWECellComboBox::Create(HWND grid, int id)
{
    HWND list = CreateWindowEx(0, WC_COMBOBOX, "", WS_CHILD | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0, 10, 10, grid,
                               reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
    if (!list || !SubclassWindow(list))
        return FALSE;
    for (int type : {WE_FIELD_NUMERIC, WE_FIELD_CHARACTER, WE_FIELD_BLOB, WE_FIELD_TEXT}) {
        int index = AddString(FieldTypeText(type).c_str());
        if (index < 0 || SetItemData(index, static_cast<DWORD_PTR>(type)) == CB_ERR)
            throw std::runtime_error("The type list of the fields grid refused the type " + std::to_string(type) + ".");
    }
    return TRUE;
}

void CWECellComboBox::SelectType(int type)
{
    int count = GetCount();
    for (int index = 0; index < count; ++index)
        if (static_cast<int>(GetItemData(index)) == type) {
            SetCurSel(index);
            return;
        }
}

void CWECellComboBox::Begin(int type)
{
    m_nStart = type;
    SelectType(type);
}

int CWECellComboBox::SelectedType() const
{
    int index = GetCurSel();
    if (index < 0)
        throw std::runtime_error("The type list of the fields grid has no selection.");
    return static_cast<int>(GetItemData(index));
}

LRESULT CWECellComboBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_KEYDOWN)
        return CComboBox::OnMessage(message, wParam, lParam);
    if (wParam == VK_ESCAPE) {
        SelectType(m_nStart);
        return 1;
    }
    if (wParam == VK_RETURN || wParam == VK_TAB) {
        HWND grid = GetParent(m_hWnd);
        SetFocus(grid);
        PostMessage(grid, WM_KEYDOWN, wParam, 0);
    }
    return 0; // the list handles the key too
}

BOOL CWECellComboBox::OnChildCommand(UINT code)
{
    if (code == CBN_SELCHANGE && GetCurSel() >= 0)
        PostMessage(GetParent(m_hWnd), WM_WE_TYPECHANGED, 0, static_cast<LPARAM>(GetItemData(GetCurSel())));
    return FALSE;
}
