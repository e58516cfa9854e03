#pragma once
// One IDispatch::Invoke call as the member it reaches sees it: arguments in
// their natural order (index 0 is the first), converted on request, and the
// result slot.

#include "com/Dispatch.h"

#include <string>

namespace pollenta::com {

class DispatchCall {
public:
    DispatchCall(WORD flags, DISPPARAMS* params, VARIANT* result, UINT* argErr);

    WORD Flags() const { return m_flags; }
    bool IsPropertyPut() const { return (m_flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0; }
    // Positional arguments, without the value of a property put.
    UINT ArgCount() const { return m_positional; }
    // Absent, or passed as the "missing" marker (VT_ERROR DISP_E_PARAMNOTFOUND).
    bool IsMissing(UINT index) const;
    // The argument as passed (possibly by reference); null when absent.
    const VARIANT* RawArg(UINT index) const;

    // A copy of argument `index` converted to `vt` (VT_VARIANT: unconverted,
    // by-reference values followed). DISP_E_PARAMNOTFOUND when it is
    // missing, DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW when it cannot be
    // converted; the argument error index is set on failure.
    HRESULT Arg(UINT index, VARTYPE vt, VARIANT* out) const;
    HRESULT Arg(UINT index, LONG* out) const;
    HRESULT Arg(UINT index, VARIANT_BOOL* out) const;
    // A new BSTR the caller frees.
    HRESULT Arg(UINT index, BSTR* out) const;
    HRESULT Arg(UINT index, std::string* out) const;
    // The target of a by-reference argument of type VT_BYREF|vt, for out
    // parameters; DISP_E_TYPEMISMATCH when it is passed otherwise.
    HRESULT ArgRef(UINT index, VARTYPE vt, void** target) const;
    // The value of a property put, converted to `vt` like Arg.
    HRESULT PutValue(VARTYPE vt, VARIANT* out) const;

    // The caller's result slot; null when the caller wants no result.
    VARIANT* Result() const { return m_result; }
    // Each Return moves the value into the result slot, or frees it when the
    // caller wants no result, and returns S_OK.
    HRESULT Return(VARIANT* value);
    HRESULT ReturnLong(LONG value);
    HRESULT ReturnBool(bool value);
    HRESULT ReturnBstr(BSTR value);
    HRESULT ReturnString(const std::string& value);
    HRESULT ReturnDispatch(IDispatch* value);

private:
    HRESULT Fail(UINT slot, HRESULT hr) const;
    UINT SlotOf(UINT index) const { return m_params->cArgs - 1 - index; }

    WORD m_flags;
    DISPPARAMS* m_params;
    VARIANT* m_result;
    UINT* m_argErr;
    UINT m_positional;
};

}  // namespace pollenta::com
