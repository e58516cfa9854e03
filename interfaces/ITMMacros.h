#pragma once
// ITMMacros: one macro handed to the client's EvaluateMacros handler, whose
// Value the handler sets.

#include "TorvaneGuids.h"

#include "com/Dispatch.h"

inline constexpr DISPID DISPID_TMMACROS_NAME = 1;
inline constexpr DISPID DISPID_TMMACROS_VALUE = 2;

struct ITMMacros : IDispatch {
    STDMETHOD(get_Name)(BSTR* pVal) PURE;
    STDMETHOD(get_Value)(VARIANT* pVal) PURE;
    STDMETHOD(put_Value)(VARIANT newVal) PURE;

protected:
    ~ITMMacros() = default;
};

POLLENTA_INTERFACE_IID(ITMMacros, IID_ITMMacros);
