#pragma once
// Class objects registered in this process with CoRegisterClassObject.

#include "com/ComPtr.h"

#include <mutex>
#include <vector>

namespace pollenta::com {

class ClassObjectTable {
public:
    static ClassObjectTable& Instance();

    DWORD Add(REFCLSID clsid, IUnknown* classObject, DWORD clsContext);
    bool Remove(DWORD cookie);
    // The class object for clsid offered in one of the contexts asked for.
    CComPtr<IUnknown> Find(REFCLSID clsid, DWORD clsContext);

private:
    struct Entry {
        CLSID clsid;
        CComPtr<IUnknown> classObject;
        DWORD clsContext;
        DWORD cookie;
    };

    std::mutex m_mutex;
    std::vector<Entry> m_entries;
    DWORD m_nextCookie = 1;
};

}  // namespace pollenta::com
