#pragma once
// The interface of the test server module, shared by the module and the
// tests that drive it through the registry; nothing else is shared.

#include "com/Dispatch.h"

// {6F1D2C40-8B7A-4E59-9C3D-2A4B5C6D7E81}
inline constexpr CLSID CLSID_TestCalc = {0x6F1D2C40, 0x8B7A, 0x4E59, {0x9C, 0x3D, 0x2A, 0x4B, 0x5C, 0x6D, 0x7E, 0x81}};
// {6F1D2C41-8B7A-4E59-9C3D-2A4B5C6D7E81}
inline constexpr IID IID_ITestCalc = {0x6F1D2C41, 0x8B7A, 0x4E59, {0x9C, 0x3D, 0x2A, 0x4B, 0x5C, 0x6D, 0x7E, 0x81}};

inline constexpr char kTestCalcProgId[] = "Pollenta.TestCalc.1";
inline constexpr char kTestCalcIndependentProgId[] = "Pollenta.TestCalc";

inline constexpr DISPID DISPID_TestCalc_Add = 1;
inline constexpr DISPID DISPID_TestCalc_Name = 2;
inline constexpr DISPID DISPID_TestCalc_Describe = 3;

struct ITestCalc : IDispatch {
    STDMETHOD(Add)(LONG a, LONG b, LONG* sum) PURE;
    STDMETHOD(get_Name)(BSTR* name) PURE;
    STDMETHOD(put_Name)(BSTR name) PURE;
    // "<label>:<count>"; a negative count fails with error info set.
    STDMETHOD(Describe)(LONG count, BSTR label, BSTR* text) PURE;

protected:
    ~ITestCalc() = default;
};
POLLENTA_INTERFACE_IID(ITestCalc, IID_ITestCalc);
