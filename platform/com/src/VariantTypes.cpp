#include "VariantTypes.h"

#include "com/SafeArray.h"

#include <cstring>

namespace pollenta::com {

size_t ValueSize(VARTYPE vt)
{
    switch (vt) {
    case VT_I1:
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
        return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
        return 8;
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return sizeof(void*);
    case VT_DECIMAL:
        return sizeof(DECIMAL);
    case VT_VARIANT:
        return sizeof(VARIANT);
    default:
        return 0;
    }
}

bool IsValidVariantType(VARTYPE vt)
{
    const VARTYPE base = vt & VT_TYPEMASK;
    if (vt & VT_VECTOR) return false;
    if (vt & (VT_ARRAY | VT_BYREF)) return base == VT_VARIANT || (base != VT_EMPTY && base != VT_NULL && ValueSize(base) != 0);
    return base == VT_EMPTY || base == VT_NULL || (base != VT_VARIANT && ValueSize(base) != 0);
}

bool ShallowDereference(const VARIANT& source, VARIANT& value)
{
    VariantInit(&value);
    if (!(source.vt & VT_BYREF) || !source.byref) return false;
    const VARTYPE vt = source.vt & ~VT_BYREF;
    if (vt & VT_ARRAY) {
        value.vt = vt;
        value.parray = *source.pparray;
        return true;
    }
    if (vt == VT_VARIANT) {
        if (source.pvarVal->vt & VT_BYREF) return false;
        value = *source.pvarVal;
        return true;
    }
    if (vt == VT_DECIMAL) {
        value.decVal = *source.pdecVal;
        value.vt = VT_DECIMAL;
        return true;
    }
    const size_t size = ValueSize(vt);
    if (size == 0) return false;
    value.vt = vt;
    std::memcpy(&value.llVal, source.byref, size);
    return true;
}

}  // namespace pollenta::com
