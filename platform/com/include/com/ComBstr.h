#pragma once
// CComBSTR: an owned BSTR.

#include "com/Bstr.h"
#include "com/Text.h"
#include "win/Errors.h"

#include <string>
#include <memory>
#include <utility>

class CComBSTR {
public:
    CComBSTR() = default;
    CComBSTR(LPCOLESTR text) : m_str(text ? SysAllocString(text) : nullptr) {}
    CComBSTR(UINT length, LPCOLESTR text) : m_str(SysAllocStringLen(text, length)) {}
    // From ANSI text.
    CComBSTR(LPCSTR text) : m_str(text ? pollenta::com::BstrFromAnsi(text) : nullptr) {}
    CComBSTR(const std::string& text) : m_str(pollenta::com::BstrFromAnsi(text)) {}
    CComBSTR(const CComBSTR& other) : m_str(other.Copy()) {}
    CComBSTR(CComBSTR&& other) noexcept : m_str(std::exchange(other.m_str, nullptr)) {}
    ~CComBSTR() { SysFreeString(m_str); }

    CComBSTR& operator=(const CComBSTR& other)
    {
        if (this != std::addressof(other)) Attach(other.Copy());
        return *this;
    }
    CComBSTR& operator=(CComBSTR&& other) noexcept
    {
        if (this != std::addressof(other)) Attach(std::exchange(other.m_str, nullptr));
        return *this;
    }
    CComBSTR& operator=(LPCOLESTR text)
    {
        Attach(text ? SysAllocString(text) : nullptr);
        return *this;
    }
    CComBSTR& operator=(const std::string& text)
    {
        Attach(pollenta::com::BstrFromAnsi(text));
        return *this;
    }

    operator BSTR() const { return m_str; }
    // For out parameters; whatever was held is freed first.
    BSTR* operator&()
    {
        Empty();
        return &m_str;
    }
    bool operator!() const { return m_str == nullptr; }
    bool operator==(const CComBSTR& other) const
    {
        const UINT length = Length();
        if (length != other.Length()) return false;
        for (UINT i = 0; i < length; ++i)
            if (m_str[i] != other.m_str[i]) return false;
        return true;
    }

    UINT Length() const { return SysStringLen(m_str); }
    BSTR Copy() const { return m_str ? SysAllocStringLen(m_str, Length()) : nullptr; }
    HRESULT CopyTo(BSTR* out) const
    {
        if (!out) return E_POINTER;
        *out = Copy();
        return (*out || !m_str) ? S_OK : E_OUTOFMEMORY;
    }
    void Attach(BSTR text)
    {
        if (text != m_str) SysFreeString(m_str);
        m_str = text;
    }
    BSTR Detach() { return std::exchange(m_str, nullptr); }
    void Empty() { Attach(nullptr); }
    HRESULT Append(const OLECHAR* text, UINT length)
    {
        const UINT own = Length();
        BSTR joined = SysAllocStringLen(nullptr, own + length);
        if (!joined) return E_OUTOFMEMORY;
        for (UINT i = 0; i < own; ++i) joined[i] = m_str[i];
        for (UINT i = 0; i < length; ++i) joined[own + i] = text[i];
        Attach(joined);
        return S_OK;
    }
    HRESULT Append(const CComBSTR& other) { return Append(other.m_str, other.Length()); }
    HRESULT Append(const std::string& text) { return Append(CComBSTR(text)); }
    CComBSTR& operator+=(const CComBSTR& other)
    {
        Append(other);
        return *this;
    }
    // The text as ANSI.
    std::string ToString() const { return pollenta::com::AnsiFromBstr(m_str); }

    BSTR m_str = nullptr;
};
