#pragma once
// Reference counting and QueryInterface for a class T that implements the
// listed interfaces:
//
//   class CThing : public pollenta::com::CUnknownImpl<CThing, IThing, ISupportErrorInfo> { ... };
//   CComPtr<IThing> thing;
//   CThing::CreateInstance(IID_IThing, reinterpret_cast<void**>(&thing));
//
// QueryInterface answers IUnknown, the IID of each listed interface, and
// IDispatch for the first listed interface that derives from it. T may add
// more with `void* QueryInterfaceExtra(REFIID iid)` (null when not found).
// Every live object holds its module's lock, so DllCanUnloadNow says S_FALSE
// while one exists.

#include "com/ComBoundary.h"
#include "com/Dispatch.h"
#include "com/ModuleLock.h"

#include <atomic>
#include <type_traits>
#include <utility>

namespace pollenta::com {

// The interface a list entry stands for: the entry itself, or the interface
// an implementation helper (CDispatchImpl, CConnectionPointContainerImpl)
// names as its ImplementedInterface.
template <class Entry>
struct InterfaceOfEntry {
    using type = Entry;
};
template <class Entry>
    requires requires { typename Entry::ImplementedInterface; }
struct InterfaceOfEntry<Entry> {
    using type = typename Entry::ImplementedInterface;
};

template <class T, class First, class... Rest>
class CUnknownImpl : public First, public Rest... {
public:
    CUnknownImpl(const CUnknownImpl&) = delete;
    CUnknownImpl& operator=(const CUnknownImpl&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        *out = Find(iid);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return m_refCount.fetch_add(1, std::memory_order_relaxed) + 1; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG left = m_refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
        if (left == 0) delete this;
        return left;
    }

    // Makes a T from `args` and hands out the interface `iid`; the object
    // is gone again when it has no such interface.
    template <class... Args>
    static HRESULT CreateInstance(REFIID iid, void** out, Args&&... args)
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        // Nothing may leave a class factory as an exception: a constructor
        // that throws (memory, or a setting it could not load) is a result.
        T* object = nullptr;
        const HRESULT made = GuardedCall([&] {
            object = new T(std::forward<Args>(args)...);
            return S_OK;
        });
        if (FAILED(made)) return made;
        object->AddRef();
        const HRESULT hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
    }

protected:
    CUnknownImpl() { ModuleLock::Lock(); }
    // Virtual, so that the last Release deletes the whole object; the slot
    // comes after the interfaces' methods and leaves their layout alone.
    virtual ~CUnknownImpl() { ModuleLock::Unlock(); }

private:
    template <class Entry>
    void* Cast()
    {
        using Interface = typename InterfaceOfEntry<Entry>::type;
        return static_cast<Interface*>(static_cast<Entry*>(static_cast<T*>(this)));
    }

    template <class Entry>
    void* FindIn(REFIID iid, bool& dispatchSeen)
    {
        using Interface = typename InterfaceOfEntry<Entry>::type;
        if (iid == IidOf<Interface>()) return Cast<Entry>();
        if constexpr (std::is_base_of_v<IDispatch, Interface>) {
            if (!dispatchSeen && iid == IID_IDispatch) return Cast<Entry>();
            dispatchSeen = true;
        }
        return nullptr;
    }

    void* Find(REFIID iid)
    {
        if (iid == IID_IUnknown) return static_cast<IUnknown*>(static_cast<First*>(static_cast<T*>(this)));
        bool dispatchSeen = false;
        void* found = FindIn<First>(iid, dispatchSeen);
        ((found = found ? found : FindIn<Rest>(iid, dispatchSeen)), ...);
        if constexpr (requires(T& t) { t.QueryInterfaceExtra(iid); }) {
            if (!found) found = static_cast<T*>(this)->QueryInterfaceExtra(iid);
        }
        return found;
    }

    std::atomic<ULONG> m_refCount{0};
};

}  // namespace pollenta::com
