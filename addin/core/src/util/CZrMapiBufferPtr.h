#pragma once
// Holders that free what MAPI allocated for the caller when they go out of
// scope.
//
//     CZrMapiBufferPtr<SPropValue> value;
//     if (SUCCEEDED(HrGetOneProp(object, PR_DISPLAY_NAME_A, &value))) use(value->Value.lpszA);

#include "mapi/MapiUtil.h"

#include <utility>

template <class T>
class CZrMapiBufferPtr {
public:
    CZrMapiBufferPtr() = default;
    ~CZrMapiBufferPtr() { Free(); }
    CZrMapiBufferPtr(const CZrMapiBufferPtr&) = delete;
    CZrMapiBufferPtr& operator=(const CZrMapiBufferPtr&) = delete;

    void Free()
    {
        if (m_p)
            MAPIFreeBuffer(m_p);
        m_p = nullptr;
    }
    void Swap(CZrMapiBufferPtr& other) { std::swap(m_p, other.m_p); }
    T** operator&()
    {
        Free();
        return &m_p;
    }
    T* operator->() const { return m_p; }
    T* get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};
