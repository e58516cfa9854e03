#include "Decimal.h"
#include "NumberText.h"
#include "UserDate.h"
#include "UserNumber.h"
#include "VariantTypes.h"
#include "com/Dispatch.h"
#include "com/OleDate.h"
#include "com/Text.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <strings.h>
#include <utility>

using namespace pollenta::com;

namespace {

constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958466.0;
constexpr LONGLONG kCurrencyScale = 10000;

HRESULT ReadNumber(const VARIANT& v, ParsedNumber& n)
{
    auto setSigned = [&](std::int64_t value) {
        n.kind = ParsedNumber::Kind::Signed;
        n.signedValue = value;
    };
    auto setUnsigned = [&](std::uint64_t value) {
        n.kind = ParsedNumber::Kind::Unsigned;
        n.unsignedValue = value;
    };
    auto setReal = [&](double value) {
        n.kind = ParsedNumber::Kind::Real;
        n.realValue = value;
    };
    switch (v.vt) {
    case VT_EMPTY: setSigned(0); break;
    case VT_BOOL: setSigned(v.boolVal ? -1 : 0); break;
    case VT_I1: setSigned(static_cast<signed char>(v.cVal)); break;
    case VT_I2: setSigned(v.iVal); break;
    case VT_I4: setSigned(v.lVal); break;
    case VT_INT: setSigned(v.intVal); break;
    case VT_I8: setSigned(v.llVal); break;
    case VT_UI1: setUnsigned(v.bVal); break;
    case VT_UI2: setUnsigned(v.uiVal); break;
    case VT_UI4: setUnsigned(v.ulVal); break;
    case VT_UINT: setUnsigned(v.uintVal); break;
    case VT_UI8: setUnsigned(v.ullVal); break;
    case VT_R4: setReal(v.fltVal); break;
    case VT_R8: setReal(v.dblVal); break;
    case VT_DATE: setReal(v.date); break;
    case VT_CY:
        if (v.cyVal.int64 % kCurrencyScale == 0)
            setSigned(v.cyVal.int64 / kCurrencyScale);
        else
            setReal(static_cast<double>(v.cyVal.int64) / kCurrencyScale);
        break;
    case VT_DECIMAL: ParseNumber(TextFromDecimal(v.decVal), n); break;
    case VT_BSTR:
        if (!ParseUserNumber(AnsiFromBstr(v.bstrVal), n)) return DISP_E_TYPEMISMATCH;
        break;
    default:
        return DISP_E_TYPEMISMATCH;
    }
    return S_OK;
}

double RealOf(const ParsedNumber& n)
{
    switch (n.kind) {
    case ParsedNumber::Kind::Signed: return static_cast<double>(n.signedValue);
    case ParsedNumber::Kind::Unsigned: return static_cast<double>(n.unsignedValue);
    case ParsedNumber::Kind::Real: return n.realValue;
    }
    return 0;
}

// Whole numbers are range-checked exactly; fractions are rounded half to
// even first, as automation does.
template <class T>
HRESULT ReadInteger(const VARIANT& source, T& out)
{
    ParsedNumber n;
    const HRESULT hr = ReadNumber(source, n);
    if (FAILED(hr)) return hr;
    switch (n.kind) {
    case ParsedNumber::Kind::Signed:
        if (!std::in_range<T>(n.signedValue)) return DISP_E_OVERFLOW;
        out = static_cast<T>(n.signedValue);
        return S_OK;
    case ParsedNumber::Kind::Unsigned:
        if (!std::in_range<T>(n.unsignedValue)) return DISP_E_OVERFLOW;
        out = static_cast<T>(n.unsignedValue);
        return S_OK;
    case ParsedNumber::Kind::Real:
        break;
    }
    const double rounded = std::nearbyint(n.realValue);
    constexpr int bits = std::numeric_limits<T>::digits;
    const double low = std::numeric_limits<T>::is_signed ? -std::ldexp(1.0, bits) : 0.0;
    const double highExclusive = std::ldexp(1.0, bits);
    if (!(rounded >= low && rounded < highExclusive)) return DISP_E_OVERFLOW;
    out = static_cast<T>(rounded);
    return S_OK;
}

HRESULT ReadReal(const VARIANT& source, double& out)
{
    ParsedNumber n;
    const HRESULT hr = ReadNumber(source, n);
    if (FAILED(hr)) return hr;
    out = RealOf(n);
    return std::isfinite(out) ? S_OK : DISP_E_OVERFLOW;
}

HRESULT ReadBool(const VARIANT& source, VARIANT_BOOL& out)
{
    if (source.vt == VT_BSTR) {
        const std::string text(TrimBlanks(AnsiFromBstr(source.bstrVal)));
        if (strcasecmp(text.c_str(), "true") == 0 || strcasecmp(text.c_str(), "false") == 0) {
            out = strcasecmp(text.c_str(), "true") == 0 ? VARIANT_TRUE : VARIANT_FALSE;
            return S_OK;
        }
    }
    ParsedNumber n;
    const HRESULT hr = ReadNumber(source, n);
    if (FAILED(hr)) return hr;
    out = RealOf(n) != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT ReadCurrency(const VARIANT& source, CY& out)
{
    ParsedNumber n;
    const HRESULT hr = ReadNumber(source, n);
    if (FAILED(hr)) return hr;
    constexpr LONGLONG limit = std::numeric_limits<LONGLONG>::max() / kCurrencyScale;
    switch (n.kind) {
    case ParsedNumber::Kind::Signed:
        if (n.signedValue > limit || n.signedValue < -limit) return DISP_E_OVERFLOW;
        out.int64 = n.signedValue * kCurrencyScale;
        return S_OK;
    case ParsedNumber::Kind::Unsigned:
        if (n.unsignedValue > static_cast<std::uint64_t>(limit)) return DISP_E_OVERFLOW;
        out.int64 = static_cast<LONGLONG>(n.unsignedValue) * kCurrencyScale;
        return S_OK;
    case ParsedNumber::Kind::Real:
        break;
    }
    const double scaled = std::nearbyint(n.realValue * kCurrencyScale);
    if (!(scaled >= -std::ldexp(1.0, 63) && scaled < std::ldexp(1.0, 63))) return DISP_E_OVERFLOW;
    out.int64 = static_cast<LONGLONG>(scaled);
    return S_OK;
}

HRESULT ReadDate(const VARIANT& source, DATE& out)
{
    if (source.vt == VT_BSTR) {
        bool overflow = false;
        if (ParseUserDate(AnsiFromBstr(source.bstrVal), out, overflow)) return S_OK;
        if (overflow) return DISP_E_OVERFLOW;
    }
    double value = 0;
    const HRESULT hr = ReadReal(source, value);
    if (FAILED(hr)) return hr;
    if (!(value >= kMinDate && value < kMaxDate)) return DISP_E_OVERFLOW;
    out = value;
    return S_OK;
}

HRESULT ReadDecimal(const VARIANT& source, DECIMAL& out)
{
    if (source.vt == VT_BSTR) {
        const std::string text = AnsiFromBstr(source.bstrVal);
        bool overflow = false;
        const std::optional<std::string> iso = IsoFromUserNumber(text);
        if (iso && DecimalFromText(*iso, out, overflow)) return S_OK;
        if (!overflow && DecimalFromText(text, out, overflow)) return S_OK;
        return overflow ? DISP_E_OVERFLOW : DISP_E_TYPEMISMATCH;
    }
    ParsedNumber n;
    const HRESULT hr = ReadNumber(source, n);
    if (FAILED(hr)) return hr;
    switch (n.kind) {
    case ParsedNumber::Kind::Signed: DecimalFromInteger(n.signedValue, out); return S_OK;
    case ParsedNumber::Kind::Unsigned: DecimalFromUnsigned(n.unsignedValue, out); return S_OK;
    case ParsedNumber::Kind::Real: break;
    }
    return DecimalFromReal(n.realValue, out) ? S_OK : DISP_E_OVERFLOW;
}

std::string CurrencyText(LONGLONG value)
{
    DECIMAL d;
    DecimalFromInteger(value, d);
    d.scale = 4;
    return TextFromDecimal(d);
}

HRESULT ReadText(const VARIANT& source, USHORT flags, std::string& out)
{
    switch (source.vt) {
    case VT_EMPTY: out.clear(); break;
    case VT_BOOL:
        if (flags & VARIANT_ALPHABOOL)
            out = source.boolVal ? "True" : "False";
        else
            out = source.boolVal ? "-1" : "0";
        break;
    case VT_R4: out = UserNumberText(FormatReal(source.fltVal, 7)); break;
    case VT_R8: out = UserNumberText(FormatReal(source.dblVal, 15)); break;
    case VT_CY: out = UserNumberText(CurrencyText(source.cyVal.int64)); break;
    case VT_DATE:
        out = FormatUserDate(source.date);
        if (out.empty()) return DISP_E_OVERFLOW;
        break;
    case VT_DECIMAL: out = UserNumberText(TextFromDecimal(source.decVal)); break;
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_INT:
    case VT_I8:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_UINT:
    case VT_UI8: {
        ParsedNumber n;
        ReadNumber(source, n);
        out = n.kind == ParsedNumber::Kind::Signed ? std::to_string(n.signedValue) : std::to_string(n.unsignedValue);
        break;
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
    return S_OK;
}

HRESULT QueryInto(IUnknown* object, REFIID iid, void** out)
{
    *out = nullptr;
    if (!object) return S_OK;
    return object->QueryInterface(iid, out);
}

// Converts a value that is neither by reference nor of type `vt` already.
HRESULT Convert(const VARIANT& source, USHORT flags, VARTYPE vt, VARIANT& out)
{
    if (source.vt == VT_NULL) return vt == VT_EMPTY ? S_OK : DISP_E_TYPEMISMATCH;
    out.vt = vt;
    switch (vt) {
    case VT_EMPTY: return S_OK;
    case VT_NULL: return source.vt == VT_EMPTY ? S_OK : DISP_E_TYPEMISMATCH;
    case VT_I1: {
        signed char value = 0;
        const HRESULT hr = ReadInteger(source, value);
        out.cVal = static_cast<CHAR>(value);
        return hr;
    }
    case VT_I2: return ReadInteger(source, out.iVal);
    case VT_I4: return ReadInteger(source, out.lVal);
    case VT_INT: return ReadInteger(source, out.intVal);
    case VT_I8: return ReadInteger(source, out.llVal);
    case VT_UI1: return ReadInteger(source, out.bVal);
    case VT_UI2: return ReadInteger(source, out.uiVal);
    case VT_UI4: return ReadInteger(source, out.ulVal);
    case VT_UINT: return ReadInteger(source, out.uintVal);
    case VT_UI8: return ReadInteger(source, out.ullVal);
    case VT_R8: return ReadReal(source, out.dblVal);
    case VT_R4: {
        double value = 0;
        const HRESULT hr = ReadReal(source, value);
        if (FAILED(hr)) return hr;
        if (std::fabs(value) > FLT_MAX) return DISP_E_OVERFLOW;
        out.fltVal = static_cast<FLOAT>(value);
        return S_OK;
    }
    case VT_BOOL: return ReadBool(source, out.boolVal);
    case VT_CY: return ReadCurrency(source, out.cyVal);
    case VT_DATE: return ReadDate(source, out.date);
    case VT_DECIMAL: {
        DECIMAL value;
        const HRESULT hr = ReadDecimal(source, value);
        if (SUCCEEDED(hr)) {
            out.decVal = value;
            out.vt = VT_DECIMAL;
        }
        return hr;
    }
    case VT_BSTR: {
        std::string text;
        const HRESULT hr = ReadText(source, flags, text);
        if (FAILED(hr)) return hr;
        out.bstrVal = BstrFromAnsi(text);
        return out.bstrVal ? S_OK : E_OUTOFMEMORY;
    }
    case VT_DISPATCH:
        if (source.vt != VT_UNKNOWN) return DISP_E_TYPEMISMATCH;
        return QueryInto(source.punkVal, IID_IDispatch, reinterpret_cast<void**>(&out.pdispVal));
    case VT_UNKNOWN:
        if (source.vt != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
        return QueryInto(source.pdispVal, IID_IUnknown, reinterpret_cast<void**>(&out.punkVal));
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

// An object converts through its default (DISPID_VALUE) property.
HRESULT FetchDefaultValue(IDispatch* object, LCID lcid, VARIANT& value)
{
    if (!object) return DISP_E_TYPEMISMATCH;
    DISPPARAMS none{};
    const HRESULT hr =
        object->Invoke(DISPID_VALUE, IID_NULL, lcid, DISPATCH_PROPERTYGET, &none, &value, nullptr, nullptr);
    if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
    if (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN || (value.vt & VT_BYREF)) {
        VariantClear(&value);
        return DISP_E_TYPEMISMATCH;
    }
    return S_OK;
}

}  // namespace

extern "C" {

HRESULT VariantChangeTypeEx(VARIANTARG* dest, const VARIANTARG* source, LCID lcid, USHORT flags, VARTYPE vt)
{
    if (!dest || !source) return E_INVALIDARG;
    if ((vt & VT_BYREF) || !IsValidVariantType(vt) || !IsValidVariantType(source->vt)) return DISP_E_BADVARTYPE;
    VARIANT value = *source;
    if ((source->vt & VT_BYREF) && !ShallowDereference(*source, value)) return DISP_E_TYPEMISMATCH;

    VARIANT fetched;
    VariantInit(&fetched);
    if (value.vt == VT_DISPATCH && vt != VT_DISPATCH && vt != VT_UNKNOWN && vt != VT_EMPTY) {
        if (flags & VARIANT_NOVALUEPROP) return DISP_E_TYPEMISMATCH;
        const HRESULT hr = FetchDefaultValue(value.pdispVal, lcid, fetched);
        if (FAILED(hr)) return hr;
        value = fetched;
    }

    VARIANT result;
    VariantInit(&result);
    HRESULT hr;
    if (value.vt == vt)
        hr = VariantCopy(&result, &value);
    else if ((value.vt | vt) & VT_ARRAY)
        hr = DISP_E_TYPEMISMATCH;
    else
        hr = Convert(value, flags, vt, result);
    VariantClear(&fetched);
    if (FAILED(hr)) return hr;
    // `dest` may be `source`, so it is cleared only now.
    const HRESULT cleared = VariantClear(dest);
    if (FAILED(cleared)) {
        VariantClear(&result);
        return cleared;
    }
    *dest = result;
    return S_OK;
}

HRESULT VariantChangeType(VARIANTARG* dest, const VARIANTARG* source, USHORT flags, VARTYPE vt)
{
    return VariantChangeTypeEx(dest, source, 0, flags, vt);
}

}
