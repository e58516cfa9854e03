#pragma once
// Owning interface pointers: CComPtr<T> holds one reference, CComQIPtr<T>
// also takes any interface and asks it for T.

#include "com/Unknown.h"
#include "win/Errors.h"

#include <memory>
#include <utility>

template <class T>
class CComPtr {
public:
    CComPtr() = default;
    CComPtr(T* p) : p(p) { if (p) p->AddRef(); }
    CComPtr(const CComPtr& other) : CComPtr(other.p) {}
    CComPtr(CComPtr&& other) noexcept : p(std::exchange(other.p, nullptr)) {}
    ~CComPtr() { Release(); }

    CComPtr& operator=(T* other)
    {
        if (other) other->AddRef();
        Release();
        p = other;
        return *this;
    }
    CComPtr& operator=(const CComPtr& other) { return *this = other.p; }
    CComPtr& operator=(CComPtr&& other) noexcept
    {
        if (this != std::addressof(other)) {
            Release();
            p = std::exchange(other.p, nullptr);
        }
        return *this;
    }

    operator T*() const { return p; }
    T* operator->() const { return p; }
    T& operator*() const { return *p; }
    // For out parameters; whatever was held is released first.
    T** operator&()
    {
        Release();
        return &p;
    }
    bool operator!() const { return p == nullptr; }

    void Release()
    {
        if (T* old = std::exchange(p, nullptr)) old->Release();
    }
    // Takes over a reference the caller owns.
    void Attach(T* other)
    {
        Release();
        p = other;
    }
    T* Detach() { return std::exchange(p, nullptr); }
    HRESULT CopyTo(T** out) const
    {
        if (!out) return E_POINTER;
        *out = p;
        if (p) p->AddRef();
        return S_OK;
    }
    template <class Q>
    HRESULT QueryInterface(Q** out) const
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!p) return E_POINTER;
        return p->QueryInterface(pollenta::com::IidOf<Q>(), reinterpret_cast<void**>(out));
    }
    bool IsEqualObject(IUnknown* other) const;

    T* p = nullptr;
};

template <class T>
bool CComPtr<T>::IsEqualObject(IUnknown* other) const
{
    if (!p || !other) return p == nullptr && other == nullptr;
    CComPtr<IUnknown> mine;
    CComPtr<IUnknown> theirs;
    p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&mine));
    other->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&theirs));
    return mine.p == theirs.p;
}

template <class T>
class CComQIPtr : public CComPtr<T> {
public:
    CComQIPtr() = default;
    CComQIPtr(T* other) : CComPtr<T>(other) {}
    CComQIPtr(IUnknown* other) { Query(other); }
    CComQIPtr(const CComQIPtr& other) : CComPtr<T>(other.p) {}
    CComQIPtr& operator=(T* other)
    {
        CComPtr<T>::operator=(other);
        return *this;
    }
    CComQIPtr& operator=(IUnknown* other)
    {
        CComPtr<T>::Release();
        Query(other);
        return *this;
    }
    CComQIPtr& operator=(const CComQIPtr& other) { return *this = other.p; }

private:
    void Query(IUnknown* other)
    {
        if (other) other->QueryInterface(pollenta::com::IidOf<T>(), reinterpret_cast<void**>(&this->p));
    }
};

// CComQIPtr<IUnknown> would have two constructors for the same type.
template <>
class CComQIPtr<IUnknown> : public CComPtr<IUnknown> {
public:
    using CComPtr<IUnknown>::CComPtr;
    using CComPtr<IUnknown>::operator=;
};
