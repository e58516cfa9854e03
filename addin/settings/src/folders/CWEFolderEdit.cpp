#include "folders/CWEFolderEdit.h"

#include "util/MapiNames.h"

CWEFolderEdit::~CWEFolderEdit()
{
    if (m_hUnderlined)
        DeleteObject(m_hUnderlined);
}

void CWEFolderEdit::Attach()
{
    LOGFONT font{};
    if (!m_hWnd || !GetObject(GetWindowFont(m_hWnd), sizeof font, &font))
        return;
    font.lfUnderline = TRUE;
    HFONT underlined = CreateFontIndirect(&font);
    SetWindowFont(m_hWnd, underlined, TRUE);
    if (m_hUnderlined)
        DeleteObject(m_hUnderlined);
    m_hUnderlined = underlined;
}

void CWEFolderEdit::SetFolder(const CWEWatchedFolder& folder, IMAPISession* session)
{
    m_Folder = folder;
    std::string path = folder.m_strName;
    if (path.empty() && session && FAILED(GetFolderDisplayPath(session, folder.m_StoreId, &folder.m_FolderId, path)))
        path.clear();
    std::size_t slash = path.rfind('\\');
    std::string name = slash == std::string::npos ? std::string() : path.substr(slash + 1);
    SetWindowText(m_hWnd, name.c_str());
    if (!EnsureToolTip())
        return;
    m_ToolTip.SetMaxTipWidth(kMaxTipWidth);
    SetTipText(path, TRUE);
}

bool CWEFolderEdit::EnsureToolTip()
{
    return m_ToolTip.GetParentWindow() || (m_hWnd && m_ToolTip.Create(m_hWnd));
}

void CWEFolderEdit::SetTipText(const std::string& text, BOOL activate)
{
    if (!EnsureToolTip())
        return;
    if (m_ToolTip.GetToolCount() == 0) {
        RECT client{};
        GetClientRect(m_hWnd, &client);
        m_ToolTip.AddTool(m_hWnd, text.c_str(), &client, 1);
    }
    m_ToolTip.UpdateTipText(text.c_str(), m_hWnd, 1);
    m_ToolTip.Activate(activate);
}
