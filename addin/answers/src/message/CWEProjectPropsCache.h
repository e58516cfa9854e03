#pragma once
// The project properties the processor thread has read, kept by project id
// for as long as nothing changes where the project library keeps them: the
// product's key of the user and the machine-wide defaults (HKEY_USERS). A
// change by any process empties the cache at the next look; the watch is
// made again before anything is loaded, so a change during a load is seen
// too. A failed load is never kept. Used on one thread.
//
//     CWEProjectProps props;
//     if (!cache.Load(projectId, log, props)) props.Reset();

#include "project/CWEProjectProps.h"

#include "log/CWELog.h"
#include "settings/CWESettings.h"

#include "win/Registry.h"

#include <map>
#include <memory>

class CWEProjectPropsCache {
public:
    CWEProjectPropsCache() = default;
    ~CWEProjectPropsCache();
    CWEProjectPropsCache(const CWEProjectPropsCache&) = delete;
    CWEProjectPropsCache& operator=(const CWEProjectPropsCache&) = delete;

    // As CWEProjectProps::Load, into props.
    int Load(LONG projectId, CWELog& log, CWEProjectProps& props);

private:
    // One registry key watched with its subtree, and the event it signals.
    struct Watch {
        HKEY root;
        const char* path;
        HKEY key = nullptr;
        HANDLE changed = nullptr;
        bool registered = false;
    };

    // Empties the cache when a watched key has changed and watches again;
    // false when the keys cannot be watched, and nothing may be kept.
    bool Watching();
    static bool Register(Watch& watch);

    Watch m_watches[2] = {{HKEY_CURRENT_USER, CWESettings::kRootKey}, {HKEY_USERS, ""}};
    std::map<LONG, std::unique_ptr<CWEProjectProps>> m_props;
};
