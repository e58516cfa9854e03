#include "message/CWEProjectPropsCache.h"

#include "win/Synch.h"

CWEProjectPropsCache::~CWEProjectPropsCache()
{
    for (Watch& watch : m_watches) {
        if (watch.key)
            RegCloseKey(watch.key);
        if (watch.changed)
            CloseHandle(watch.changed);
    }
}

int CWEProjectPropsCache::Load(LONG projectId, CWELog& log, CWEProjectProps& props)
{
    const bool watching = Watching();
    if (auto cached = m_props.find(projectId); cached != m_props.end()) {
        props = *cached->second;
        props.m_lProjectId = projectId;
        return 1;
    }
    if (!props.Load(projectId, log))
        return 0;
    if (watching) {
        auto kept = std::make_unique<CWEProjectProps>();
        *kept = props;
        kept->m_lProjectId = projectId;
        m_props[projectId] = std::move(kept);
    }
    return 1;
}

bool CWEProjectPropsCache::Watching()
{
    bool stale = false;
    bool watching = true;
    for (Watch& watch : m_watches) {
        if (!watch.registered || WaitForSingleObject(watch.changed, 0) != WAIT_TIMEOUT) {
            stale = true;
            watch.registered = Register(watch);
        }
        watching = watching && watch.registered;
    }
    if (stale)
        m_props.clear();
    return watching;
}

// The key is opened once and kept: closing it would signal its event.
bool CWEProjectPropsCache::Register(Watch& watch)
{
    if (!watch.changed)
        watch.changed = CreateEvent(nullptr, FALSE, FALSE, nullptr);
    if (!watch.key && RegOpenKeyEx(watch.root, watch.path, 0, KEY_NOTIFY, &watch.key) != ERROR_SUCCESS)
        watch.key = nullptr;
    return watch.changed && watch.key &&
           RegNotifyChangeKeyValue(watch.key, TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, watch.changed,
                                   TRUE) == ERROR_SUCCESS;
}
