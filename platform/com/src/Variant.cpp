#include "com/Dispatch.h"
#include "com/SafeArray.h"
#include "VariantTypes.h"

using pollenta::com::IsValidVariantType;

namespace {

// Gives `dest` its own copy of whatever `source` (not by reference) owns.
HRESULT CopyOwned(VARIANT* dest, const VARIANT* source)
{
    *dest = *source;
    if (source->vt & VT_ARRAY) {
        dest->parray = nullptr;
        const HRESULT hr = source->parray ? SafeArrayCopy(source->parray, &dest->parray) : S_OK;
        if (FAILED(hr)) VariantInit(dest);
        return hr;
    }
    switch (source->vt) {
    case VT_BSTR:
        if (source->bstrVal) {
            dest->bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
            if (!dest->bstrVal) {
                VariantInit(dest);
                return E_OUTOFMEMORY;
            }
        }
        break;
    case VT_UNKNOWN:
    case VT_DISPATCH:
        if (source->punkVal) source->punkVal->AddRef();
        break;
    default:
        break;
    }
    return S_OK;
}

}  // namespace

extern "C" {

void VariantInit(VARIANTARG* v)
{
    if (!v) return;
    v->vt = VT_EMPTY;
    v->wReserved1 = v->wReserved2 = v->wReserved3 = 0;
    v->llVal = 0;
}

HRESULT VariantClear(VARIANTARG* v)
{
    if (!v) return E_INVALIDARG;
    if (!IsValidVariantType(v->vt)) return DISP_E_BADVARTYPE;
    if (!(v->vt & VT_BYREF)) {
        if (v->vt & VT_ARRAY) {
            if (v->parray) {
                const HRESULT hr = SafeArrayDestroy(v->parray);
                if (FAILED(hr)) return hr;
            }
        } else if (v->vt == VT_BSTR) {
            SysFreeString(v->bstrVal);
        } else if (v->vt == VT_UNKNOWN || v->vt == VT_DISPATCH) {
            if (v->punkVal) v->punkVal->Release();
        }
    }
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANTARG* dest, const VARIANTARG* source)
{
    if (!dest || !source) return E_INVALIDARG;
    if (dest == source) return S_OK;
    if (!IsValidVariantType(source->vt)) return DISP_E_BADVARTYPE;
    const HRESULT hr = VariantClear(dest);
    if (FAILED(hr)) return hr;
    if (source->vt & VT_BYREF) {
        *dest = *source;
        return S_OK;
    }
    return CopyOwned(dest, source);
}

HRESULT VariantCopyInd(VARIANT* dest, const VARIANTARG* source)
{
    if (!dest || !source) return E_INVALIDARG;
    if (!(source->vt & VT_BYREF)) return VariantCopy(dest, source);
    if (!IsValidVariantType(source->vt)) return DISP_E_BADVARTYPE;
    VARIANT value;
    if (!pollenta::com::ShallowDereference(*source, value)) return E_INVALIDARG;
    VARIANT copy;
    const HRESULT hr = CopyOwned(&copy, &value);
    if (FAILED(hr)) return hr;
    // `dest` may be `source`: it is cleared only once the copy is made.
    if (dest == source) {
        *dest = copy;
        return S_OK;
    }
    const HRESULT cleared = VariantClear(dest);
    if (FAILED(cleared)) {
        VariantClear(&copy);
        return cleared;
    }
    *dest = copy;
    return S_OK;
}

}
