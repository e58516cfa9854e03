#include "wizardui/WECellEdit.h"

#include "ui/Focus.h"
#include "ui/PostMessage.h"

BOOL CWECellEdit::Create(HWND grid, int id, bool number)
{
    DWORD style = WS_CHILD | ES_WANTRETURN | (number ? ES_NUMBER | ES_RIGHT : 0);
    HWND edit = CreateWindowEx(0, WC_EDIT, "", style, 0, 0, 10, 10, grid,
                               reinterpret_cast<HMENU>(static_cast<intptr_t>(id)), nullptr, nullptr);
    return edit && SubclassWindow(edit);
}

void CWECellEdit::Begin(const std::string& text)
{
    m_strStart = text;
    SetWindowText(m_hWnd, text.c_str());
}

LRESULT CWECellEdit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_KEYDOWN)
        return CWnd::OnMessage(message, wParam, lParam);
    switch (wParam) {
    case VK_ESCAPE:
        SetWindowText(m_hWnd, m_strStart.c_str());
        return 1;
    case VK_RETURN:
    case VK_TAB:
    case VK_UP:
    case VK_DOWN: {
        HWND grid = GetParent(m_hWnd);
        SetFocus(grid);
        PostMessage(grid, WM_KEYDOWN, wParam, 0);
        return 1;
    }
    default:
        return 0;
    }
}
