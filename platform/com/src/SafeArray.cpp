#include "com/SafeArray.h"

#include "VariantTypes.h"
#include "com/Dispatch.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <limits>

using pollenta::com::ValueSize;

namespace {

// The element type is kept just before the array, where callers never look.
struct ArrayBlock {
    VARTYPE vt;
    SAFEARRAY array;
};

ArrayBlock* BlockOf(SAFEARRAY* array)
{
    return reinterpret_cast<ArrayBlock*>(reinterpret_cast<char*>(array) - offsetof(ArrayBlock, array));
}

VARTYPE TypeOf(SAFEARRAY* array) { return BlockOf(array)->vt; }

bool IsElementType(VARTYPE vt) { return vt != VT_EMPTY && vt != VT_NULL && ValueSize(vt) != 0; }

USHORT FeaturesOf(VARTYPE vt)
{
    switch (vt) {
    case VT_BSTR: return FADF_BSTR | FADF_HAVEVARTYPE;
    case VT_VARIANT: return FADF_VARIANT | FADF_HAVEVARTYPE;
    case VT_UNKNOWN: return FADF_UNKNOWN | FADF_HAVEVARTYPE;
    case VT_DISPATCH: return FADF_DISPATCH | FADF_HAVEVARTYPE;
    default: return FADF_HAVEVARTYPE;
    }
}

void* ElementAt(SAFEARRAY* array, ULONG offset)
{
    return static_cast<char*>(array->pvData) + static_cast<size_t>(offset) * array->cbElements;
}

// Elements of these types hold something that must be released or copied.
bool OwnsResources(VARTYPE vt) { return vt == VT_BSTR || vt == VT_VARIANT || vt == VT_UNKNOWN || vt == VT_DISPATCH; }

// Releases what the elements [from, to) own and zeroes them. Plain values
// own nothing and are zeroed at once: a picture is an array of bytes.
void ClearElements(SAFEARRAY* array, ULONG from, ULONG to)
{
    if (from >= to)
        return;
    const VARTYPE vt = TypeOf(array);
    for (ULONG i = from; OwnsResources(vt) && i < to; ++i) {
        void* element = ElementAt(array, i);
        if (vt == VT_BSTR) {
            SysFreeString(*static_cast<BSTR*>(element));
        } else if (vt == VT_VARIANT) {
            VariantClear(static_cast<VARIANT*>(element));
        } else if (auto* object = *static_cast<IUnknown**>(element)) {
            object->Release();
        }
    }
    std::memset(ElementAt(array, from), 0, static_cast<size_t>(to - from) * array->cbElements);
}

// Copies one value into zeroed or cleared storage.
HRESULT CopyValue(VARTYPE vt, void* dest, const void* source, size_t size)
{
    if (vt == VT_BSTR) {
        BSTR text = *static_cast<const BSTR*>(source);
        BSTR copy = text ? SysAllocStringLen(text, SysStringLen(text)) : nullptr;
        if (text && !copy) return E_OUTOFMEMORY;
        *static_cast<BSTR*>(dest) = copy;
        return S_OK;
    }
    if (vt == VT_VARIANT) {
        VariantInit(static_cast<VARIANT*>(dest));
        return VariantCopy(static_cast<VARIANT*>(dest), static_cast<const VARIANT*>(source));
    }
    std::memcpy(dest, source, size);
    if (vt == VT_UNKNOWN || vt == VT_DISPATCH) {
        if (auto* object = *static_cast<IUnknown**>(dest)) object->AddRef();
    }
    return S_OK;
}

HRESULT OffsetOf(SAFEARRAY* array, const LONG* indices, ULONG& offset)
{
    if (!array || !indices) return E_INVALIDARG;
    const SAFEARRAYBOUND& bound = array->rgsabound[0];
    const long long relative = static_cast<long long>(indices[0]) - bound.lLbound;
    if (relative < 0 || relative >= bound.cElements) return DISP_E_BADINDEX;
    offset = static_cast<ULONG>(relative);
    return S_OK;
}

bool FitsBounds(const SAFEARRAYBOUND& bound, ULONG size)
{
    return bound.cElements <= std::numeric_limits<size_t>::max() / (size ? size : 1) &&
           static_cast<long long>(bound.lLbound) + bound.cElements - 1 <= std::numeric_limits<LONG>::max();
}

}  // namespace

extern "C" {

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* bounds)
{
    if (cDims != 1 || !bounds || !IsElementType(vt)) return nullptr;
    const ULONG size = static_cast<ULONG>(ValueSize(vt));
    if (!FitsBounds(bounds[0], size)) return nullptr;
    auto* block = static_cast<ArrayBlock*>(std::calloc(1, sizeof(ArrayBlock)));
    if (!block) return nullptr;
    block->vt = vt;
    SAFEARRAY* array = &block->array;
    array->cDims = 1;
    array->fFeatures = FeaturesOf(vt);
    array->cbElements = size;
    array->rgsabound[0] = bounds[0];
    if (bounds[0].cElements > 0) {
        array->pvData = std::calloc(bounds[0].cElements, size);
        if (!array->pvData) {
            std::free(block);
            return nullptr;
        }
    }
    return array;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG elements)
{
    SAFEARRAYBOUND bound{elements, lowerBound};
    return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* array)
{
    if (!array) return S_OK;
    if (array->cLocks > 0) return DISP_E_ARRAYISLOCKED;
    ClearElements(array, 0, array->rgsabound[0].cElements);
    std::free(array->pvData);
    std::free(BlockOf(array));
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* source, SAFEARRAY** copy)
{
    if (!source || !copy) return E_INVALIDARG;
    *copy = nullptr;
    const VARTYPE vt = TypeOf(source);
    SAFEARRAY* result = SafeArrayCreate(vt, 1, source->rgsabound);
    if (!result) return E_OUTOFMEMORY;
    const ULONG count = source->rgsabound[0].cElements;
    if (!OwnsResources(vt)) {
        if (count > 0) std::memcpy(result->pvData, source->pvData, static_cast<size_t>(count) * source->cbElements);
        *copy = result;
        return S_OK;
    }
    for (ULONG i = 0; i < count; ++i) {
        const HRESULT hr = CopyValue(vt, ElementAt(result, i), ElementAt(source, i), source->cbElements);
        if (FAILED(hr)) {
            SafeArrayDestroy(result);
            return hr;
        }
    }
    *copy = result;
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* array) { return array ? array->cDims : 0; }

UINT SafeArrayGetElemsize(SAFEARRAY* array) { return array ? array->cbElements : 0; }

HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* vt)
{
    if (!array || !vt) return E_INVALIDARG;
    *vt = TypeOf(array);
    return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dim, LONG* bound)
{
    if (!array || !bound) return E_INVALIDARG;
    if (dim != 1) return DISP_E_BADINDEX;
    *bound = array->rgsabound[0].lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dim, LONG* bound)
{
    if (!array || !bound) return E_INVALIDARG;
    if (dim != 1) return DISP_E_BADINDEX;
    *bound = static_cast<LONG>(static_cast<long long>(array->rgsabound[0].lLbound) + array->rgsabound[0].cElements - 1);
    return S_OK;
}

HRESULT SafeArrayPutElement(SAFEARRAY* array, LONG* indices, void* value)
{
    ULONG offset = 0;
    HRESULT hr = OffsetOf(array, indices, offset);
    if (FAILED(hr)) return hr;
    const VARTYPE vt = TypeOf(array);
    if (!value && vt != VT_BSTR) return E_INVALIDARG;
    // A BSTR or an interface arrives as the value itself, not a pointer to it.
    const void* source = (vt == VT_BSTR || vt == VT_UNKNOWN || vt == VT_DISPATCH) ? &value : value;
    alignas(VARIANT) unsigned char staged[sizeof(VARIANT)] = {};
    hr = CopyValue(vt, staged, source, array->cbElements);
    if (FAILED(hr)) return hr;
    ClearElements(array, offset, offset + 1);
    std::memcpy(ElementAt(array, offset), staged, array->cbElements);
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* array, LONG* indices, void* value)
{
    ULONG offset = 0;
    const HRESULT hr = OffsetOf(array, indices, offset);
    if (FAILED(hr)) return hr;
    if (!value) return E_INVALIDARG;
    return CopyValue(TypeOf(array), value, ElementAt(array, offset), array->cbElements);
}

HRESULT SafeArrayPtrOfIndex(SAFEARRAY* array, LONG* indices, void** element)
{
    ULONG offset = 0;
    const HRESULT hr = OffsetOf(array, indices, offset);
    if (FAILED(hr)) return hr;
    if (!element) return E_INVALIDARG;
    *element = ElementAt(array, offset);
    return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* array)
{
    if (!array) return E_INVALIDARG;
    ++array->cLocks;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* array)
{
    if (!array) return E_INVALIDARG;
    if (array->cLocks == 0) return E_UNEXPECTED;
    --array->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data)
{
    if (!array || !data) return E_INVALIDARG;
    SafeArrayLock(array);
    *data = array->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array) { return SafeArrayUnlock(array); }

HRESULT SafeArrayRedim(SAFEARRAY* array, SAFEARRAYBOUND* bound)
{
    if (!array || !bound) return E_INVALIDARG;
    if (array->cLocks > 0) return DISP_E_ARRAYISLOCKED;
    if (!FitsBounds(*bound, array->cbElements)) return E_OUTOFMEMORY;
    const ULONG oldCount = array->rgsabound[0].cElements;
    const ULONG newCount = bound->cElements;
    if (newCount < oldCount) ClearElements(array, newCount, oldCount);
    void* data = nullptr;
    if (newCount > 0) {
        data = std::realloc(array->pvData, static_cast<size_t>(newCount) * array->cbElements);
        if (!data) return E_OUTOFMEMORY;
        if (newCount > oldCount)
            std::memset(static_cast<char*>(data) + static_cast<size_t>(oldCount) * array->cbElements, 0,
                        static_cast<size_t>(newCount - oldCount) * array->cbElements);
    } else {
        std::free(array->pvData);
    }
    array->pvData = data;
    array->rgsabound[0] = *bound;
    return S_OK;
}

}
