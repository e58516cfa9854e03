#pragma once
// Reference counting, QueryInterface along the single chain of interfaces
// an object implements, and the object's last error.

#include "LastError.h"
#include "com/Unknown.h"

#include <atomic>
#include <initializer_list>
#include <vector>

namespace pollenta::mapi {

template <class Interface>
class TMapiObject : public Interface {
public:
    TMapiObject(std::initializer_list<IID> iids) : m_iids(iids) {}
    virtual ~TMapiObject() = default;
    TMapiObject(const TMapiObject&) = delete;
    TMapiObject& operator=(const TMapiObject&) = delete;

    HRESULT QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!Supports(iid)) return E_NOINTERFACE;
        *out = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        ULONG left = --m_refs;
        if (left == 0) delete this;
        return left;
    }

    bool Supports(REFIID iid) const
    {
        if (iid == IID_IUnknown) return true;
        for (const IID& known : m_iids)
            if (known == iid) return true;
        return false;
    }

protected:
    template <class F>
    HRESULT Guard(F&& body)
    {
        return m_lastError.Guard(std::forward<F>(body));
    }
    CLastError m_lastError;

private:
    std::atomic<ULONG> m_refs{1};
    std::vector<IID> m_iids;
};

}  // namespace pollenta::mapi
