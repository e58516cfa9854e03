#pragma once
// CComVariant: a VARIANT that frees what it holds.

#include "com/Dispatch.h"
#include "com/SafeArray.h"
#include "com/Text.h"

#include <string>

class CComVariant : public VARIANT {
public:
    CComVariant() { VariantInit(this); }
    CComVariant(const VARIANT& other) : CComVariant() { Copy(&other); }
    CComVariant(const CComVariant& other) : CComVariant() { Copy(&other); }
    CComVariant(CComVariant&& other) noexcept : VARIANT(other) { VariantInit(&other); }
    CComVariant(LPCOLESTR text) : CComVariant() { SetBstr(text ? SysAllocString(text) : nullptr); }
    CComVariant(LPCSTR text) : CComVariant() { SetBstr(text ? pollenta::com::BstrFromAnsi(text) : nullptr); }
    CComVariant(const std::string& text) : CComVariant() { SetBstr(pollenta::com::BstrFromAnsi(text)); }
    CComVariant(bool value) : CComVariant()
    {
        vt = VT_BOOL;
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    // VT_I4, or VT_ERROR for an SCODE.
    CComVariant(LONG value, VARTYPE type = VT_I4) : CComVariant()
    {
        vt = type;
        lVal = value;
    }
    CComVariant(ULONG value) : CComVariant()
    {
        vt = VT_UI4;
        ulVal = value;
    }
    CComVariant(SHORT value) : CComVariant()
    {
        vt = VT_I2;
        iVal = value;
    }
    CComVariant(BYTE value) : CComVariant()
    {
        vt = VT_UI1;
        bVal = value;
    }
    // VT_R8, or VT_DATE for a date.
    CComVariant(double value, VARTYPE type = VT_R8) : CComVariant()
    {
        vt = type;
        dblVal = value;
    }
    CComVariant(IDispatch* object) : CComVariant()
    {
        vt = VT_DISPATCH;
        pdispVal = object;
        if (object) object->AddRef();
    }
    CComVariant(IUnknown* object) : CComVariant()
    {
        vt = VT_UNKNOWN;
        punkVal = object;
        if (object) object->AddRef();
    }
    // Holds a copy of the array.
    CComVariant(SAFEARRAY* array) : CComVariant()
    {
        VARTYPE elementType = VT_EMPTY;
        if (array && SUCCEEDED(SafeArrayGetVartype(array, &elementType)) && SUCCEEDED(SafeArrayCopy(array, &parray)))
            vt = VT_ARRAY | elementType;
        else
            SetError(E_INVALIDARG);
    }
    ~CComVariant() { Clear(); }

    CComVariant& operator=(const CComVariant& other)
    {
        if (this != &other) Copy(&other);
        return *this;
    }
    CComVariant& operator=(CComVariant&& other) noexcept
    {
        if (this != &other) {
            Clear();
            static_cast<VARIANT&>(*this) = other;
            VariantInit(&other);
        }
        return *this;
    }
    CComVariant& operator=(const VARIANT& other)
    {
        if (this != &other) Copy(&other);
        return *this;
    }

    HRESULT Clear() { return VariantClear(this); }
    HRESULT Copy(const VARIANT* source)
    {
        const HRESULT hr = VariantCopy(this, source);
        if (FAILED(hr)) SetError(hr);
        return hr;
    }
    // Takes over `source`, which is left VT_EMPTY.
    HRESULT Attach(VARIANT* source)
    {
        if (!source) return E_INVALIDARG;
        Clear();
        static_cast<VARIANT&>(*this) = *source;
        VariantInit(source);
        return S_OK;
    }
    // Moves the value into `dest` (whose old value is cleared); this is left VT_EMPTY.
    HRESULT Detach(VARIANT* dest)
    {
        if (!dest) return E_POINTER;
        VariantClear(dest);
        *dest = *this;
        VariantInit(this);
        return S_OK;
    }
    HRESULT ChangeType(VARTYPE type, const VARIANT* source = nullptr)
    {
        return VariantChangeType(this, source ? source : this, 0, type);
    }

private:
    void SetBstr(BSTR text)
    {
        vt = VT_BSTR;
        bstrVal = text;
    }
    void SetError(HRESULT hr)
    {
        Clear();
        vt = VT_ERROR;
        scode = hr;
    }
};
