#pragma once
// The add-in's door to answer collection: its start-up calls Start once the
// settings, the watched folders and the service folder ids are ready, its
// shut-down calls Stop, and the options page pauses it while the settings
// change and resumes it with the new ones.
//
//     StartAnswerCollection(m_Settings, m_arrWatchedFolders, m_arrServiceFolderIds, m_Log, m_spSession);
//     ...
//     PauseAnswerCollection();
//     ResumeAnswerCollection(m_Settings, m_arrWatchedFolders, m_arrServiceFolderIds);
//     ...
//     StopAnswerCollection();
//
// Start and Stop write the log lines of the processor's launch and
// shut-down. The settings and folders are copied: the caller may change
// its own at once. After Stop no thread of the answer collection runs and
// no store notification reaches it.

#include "log/CWELog.h"
#include "settings/CWESettings.h"
#include "settings/CWEWatchedFolder.h"

#include "zr/CZrEntryID.h"

#include "mapi/IMAPISession.h"

#include <vector>

// E_FAIL (and nothing left running) when the processor thread cannot set up
// its MAPI session or create the project library object; the add-in then
// goes on without answer collection, as the log says.
HRESULT StartAnswerCollection(const CWESettings& settings, const std::vector<CWEWatchedFolder>& watchedFolders,
                              const std::vector<CZrEntryID>& serviceFolderIds, CWELog& log, IMAPISession* session);
// Writes the shut-down log lines only when logged is true: a start-up that
// ended early is taken down without them.
HRESULT StopAnswerCollection(bool logged = true);
// S_OK once the processor rests between two messages; S_FALSE when it does
// not run; HRESULT_FROM_WIN32(WAIT_TIMEOUT), and nothing paused, when the
// processor is still busy after `timeoutMs`.
HRESULT PauseAnswerCollection(DWORD timeoutMs = INFINITE);
HRESULT ResumeAnswerCollection(const CWESettings& settings, const std::vector<CWEWatchedFolder>& watchedFolders,
                               const std::vector<CZrEntryID>& serviceFolderIds);
