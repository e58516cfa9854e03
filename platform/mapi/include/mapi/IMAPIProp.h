#pragma once
// The property interface beneath messages, attachments, folders, stores,
// address book entries, status objects and profile sections.

#include "com/Unknown.h"
#include "mapi/MapiGuids.h"

struct IMAPIProgress;
using LPMAPIPROGRESS = IMAPIProgress*;

struct IMAPIProp : IUnknown {
    STDMETHOD(GetLastError)(HRESULT hResult, ULONG ulFlags, LPMAPIERROR* lppMAPIError) PURE;
    STDMETHOD(SaveChanges)(ULONG ulFlags) PURE;
    STDMETHOD(GetProps)(LPSPropTagArray lpPropTagArray, ULONG ulFlags, ULONG* lpcValues,
                        LPSPropValue* lppPropArray) PURE;
    STDMETHOD(GetPropList)(ULONG ulFlags, LPSPropTagArray* lppPropTagArray) PURE;
    STDMETHOD(OpenProperty)(ULONG ulPropTag, LPCIID lpiid, ULONG ulInterfaceOptions, ULONG ulFlags,
                            LPUNKNOWN* lppUnk) PURE;
    STDMETHOD(SetProps)(ULONG cValues, LPSPropValue lpPropArray, LPSPropProblemArray* lppProblems) PURE;
    STDMETHOD(DeleteProps)(LPSPropTagArray lpPropTagArray, LPSPropProblemArray* lppProblems) PURE;
    STDMETHOD(CopyTo)(ULONG ciidExclude, LPCIID rgiidExclude, LPSPropTagArray lpExcludeProps, ULONG_PTR ulUIParam,
                      LPMAPIPROGRESS lpProgress, LPCIID lpInterface, LPVOID lpDestObj, ULONG ulFlags,
                      LPSPropProblemArray* lppProblems) PURE;
    STDMETHOD(GetIDsFromNames)(ULONG cPropNames, LPMAPINAMEID* lppPropNames, ULONG ulFlags,
                               LPSPropTagArray* lppPropTags) PURE;

protected:
    ~IMAPIProp() = default;
};
using LPMAPIPROP = IMAPIProp*;
POLLENTA_INTERFACE_IID(IMAPIProp, IID_IMAPIProp);
