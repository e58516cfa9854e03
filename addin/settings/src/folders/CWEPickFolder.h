#pragma once
// "Choose folder": the folder tree of every store, in which the user picks
// one folder of a type the mask accepts.
//
//     CWEPickFolder picker(parent, session);
//     picker.m_Folder = settings.m_DstFolder;   // opens on it when set
//     if (picker.DoModal() == IDOK) settings.m_DstFolder = picker.m_Folder;

#include "tree/CZrMAPITreeCtrl.h"

#include "settings/CWEWatchedFolder.h"

#include "ui/Dialog.h"

class CWEPickFolder : public CDialog {
public:
    static constexpr UINT kTemplateId = 209;
    static constexpr int IDC_FOLDERS = 218;

    CWEPickFolder(CWnd* parent, IMAPISession* session);

    CWEWatchedFolder m_Folder;
    ULONG m_ulTypeMask = CZrMAPITreeCtrl::kDefaultTypeMask;

    CZrMAPITreeCtrl& GetTree() { return m_Tree; }
    // The tree's selected folder when its type is one the mask accepts,
    // else an empty record.
    CWEWatchedFolder GetSelectedFolder() const;

    BOOL OnInitDialog() override;
    LRESULT OnNotify(const NMHDR* header) override;
    void OnOK() override;

private:
    static const DialogTemplate& Template();

    CComPtr<IMAPISession> m_spSession;
    CZrMAPITreeCtrl m_Tree;
};
