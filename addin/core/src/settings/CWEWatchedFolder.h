#pragma once
// One folder record: the folder's store and entry ids, what is watched of it
// and its display name (never stored).

#include "zr/CZrEntryID.h"

#include <string>

class CWEWatchedFolder {
public:
    static constexpr DWORD kWatchFolder = 0x1;
    static constexpr DWORD kWatchSubfolders = 0x2;

    CZrEntryID m_StoreId;
    CZrEntryID m_FolderId;
    DWORD m_dwFlags = 0;
    std::string m_strName;
};
