#pragma once
// What the answer collection reads of the add-in's settings: the watched
// folders (subfolders already expanded), the service folders and the
// options that decide what happens to an answer. Published whole and never
// changed afterwards, so that the notification, scan and processor threads
// read one consistent version while the options page builds the next.

#include "settings/CWESettings.h"
#include "settings/CWEWatchedFolder.h"

#include "zr/CZrEntryID.h"

#include <vector>

class CWEWatchSnapshot {
public:
    CWEWatchSnapshot() = default;
    // The options of the settings with the given folders.
    CWEWatchSnapshot(const CWESettings& settings, std::vector<CWEWatchedFolder> watchedFolders,
                     std::vector<CZrEntryID> serviceFolderIds)
        : m_arrWatchedFolders(std::move(watchedFolders)), m_arrServiceFolderIds(std::move(serviceFolderIds)),
          m_nIgnoreServFolders(settings.m_nIgnoreServFolders), m_nMessageAction(settings.m_nMessageAction),
          m_DstFolder(settings.m_DstFolder)
    {
    }

    std::vector<CWEWatchedFolder> m_arrWatchedFolders;
    // Outbox, Sent Items and Drafts, those that could be found.
    std::vector<CZrEntryID> m_arrServiceFolderIds;
    LONG m_nIgnoreServFolders = 0;
    LONG m_nMessageAction = 0;
    CWEWatchedFolder m_DstFolder;
};
