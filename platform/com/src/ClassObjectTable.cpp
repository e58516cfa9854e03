#include "ClassObjectTable.h"

namespace pollenta::com {

ClassObjectTable& ClassObjectTable::Instance()
{
    static ClassObjectTable table;
    return table;
}

DWORD ClassObjectTable::Add(REFCLSID clsid, IUnknown* classObject, DWORD clsContext)
{
    std::lock_guard lock(m_mutex);
    const DWORD cookie = m_nextCookie++;
    m_entries.push_back(Entry{clsid, classObject, clsContext, cookie});
    return cookie;
}

bool ClassObjectTable::Remove(DWORD cookie)
{
    CComPtr<IUnknown> released;
    std::lock_guard lock(m_mutex);
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (it->cookie != cookie) continue;
        // Released after the lock is dropped: the object may call back in.
        released = std::move(it->classObject);
        m_entries.erase(it);
        return true;
    }
    return false;
}

CComPtr<IUnknown> ClassObjectTable::Find(REFCLSID clsid, DWORD clsContext)
{
    std::lock_guard lock(m_mutex);
    for (const Entry& entry : m_entries)
        if (entry.clsid == clsid && (entry.clsContext & clsContext)) return entry.classObject;
    return {};
}

}  // namespace pollenta::com
