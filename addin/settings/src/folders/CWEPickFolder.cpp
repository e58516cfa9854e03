#include "folders/CWEPickFolder.h"

const DialogTemplate& CWEPickFolder::Template()
{
    static const DialogTemplate dialog = [] {
        DialogTemplate d;
        d.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
        d.cx = 200;
        d.cy = 220;
        d.caption = "Choose folder";
        d.fontName = "Tahoma";
        d.items = {
            {"Static", "Folders:", -1, WS_VISIBLE, 0, 7, 7, 180, 8},
            {"SysTreeView32", "", IDC_FOLDERS, WS_VISIBLE | WS_TABSTOP | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS,
             0, 7, 18, 186, 176},
            {"Button", "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 83, 200, 53, 14},
            {"Button", "Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP, 0, 140, 200, 53, 14},
        };
        return d;
    }();
    return dialog;
}

CWEPickFolder::CWEPickFolder(CWnd* parent, IMAPISession* session) : CDialog(Template(), parent), m_spSession(session) {}

BOOL CWEPickFolder::OnInitDialog()
{
    m_Tree.SubclassDlgItem(IDC_FOLDERS, this);
    EnableWindow(GetDlgItem(IDOK), FALSE);
    if (m_spSession && SUCCEEDED(m_Tree.Initialize(m_spSession, m_ulTypeMask, 0)) && !m_Folder.m_FolderId.IsEmpty())
        m_Tree.SelectFolder(m_Folder.m_StoreId, m_Folder.m_FolderId);
    EnableWindow(GetDlgItem(IDOK), !GetSelectedFolder().m_FolderId.IsEmpty());
    return TRUE;
}

CWEWatchedFolder CWEPickFolder::GetSelectedFolder() const
{
    CWEWatchedFolder folder;
    const CZrFolderItem* item = m_Tree.GetFolderItem(m_Tree.GetSelectedItem());
    if (item && (static_cast<ULONG>(item->m_nFolderType) & m_ulTypeMask)) {
        folder.m_StoreId = item->m_StoreId;
        folder.m_FolderId = item->m_FolderId;
    }
    return folder;
}

LRESULT CWEPickFolder::OnNotify(const NMHDR* header)
{
    if (header->idFrom == static_cast<UINT_PTR>(IDC_FOLDERS) && header->code == TVN_SELCHANGED)
        EnableWindow(GetDlgItem(IDOK), !GetSelectedFolder().m_FolderId.IsEmpty());
    return 0;
}

void CWEPickFolder::OnOK()
{
    CWEWatchedFolder chosen = GetSelectedFolder();
    if (chosen.m_FolderId.IsEmpty())
        return;
    m_Folder = chosen;
    CDialog::OnOK();
}
