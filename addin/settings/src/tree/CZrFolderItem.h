#pragma once
// What the folder tree knows of one folder it shows.

#include "zr/CZrEntryID.h"

#include "ui/TreeCtrl.h"

#include <string>

class CZrFolderItem {
public:
    CZrEntryID m_StoreId;
    CZrEntryID m_FolderId;
    std::string m_strName;
    int m_nSpecialKind = 0; // CZrMAPITreeCtrl::kSpecial*
    int m_nFolderType = 0;  // CZrMAPITreeCtrl::kType*
    DWORD m_dwIdentity = 0;
    HTREEITEM m_hItem = nullptr;
    bool m_bMayHaveSubfolders = true;
    // "\\Store\Folder\Subfolder".
    std::string m_strPath;
    // One of CZrMAPITreeCtrl's check states 1 to 6.
    int m_nCheckState = 1;
};
