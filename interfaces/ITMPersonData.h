#pragma once
// ITMPersonData: the recipient an EvaluateMacros call is about.

#include "TorvaneGuids.h"

#include "com/Dispatch.h"

inline constexpr DISPID DISPID_TMPERSONDATA_ADDRESSTYPE = 1;
inline constexpr DISPID DISPID_TMPERSONDATA_ADDRESS = 2;
inline constexpr DISPID DISPID_TMPERSONDATA_ADDRESSENTRYID = 3;
inline constexpr DISPID DISPID_TMPERSONDATA_SMTPADDRESS = 4;
inline constexpr DISPID DISPID_TMPERSONDATA_DISPLAYNAME = 5;
inline constexpr DISPID DISPID_TMPERSONDATA_DISTLISTNAME = 6;

struct ITMPersonData : IDispatch {
    STDMETHOD(get_AddressType)(BSTR* pVal) PURE;
    STDMETHOD(get_Address)(BSTR* pVal) PURE;
    // The address book entry id as upper-case hexadecimal text.
    STDMETHOD(get_AddressEntryID)(BSTR* pVal) PURE;
    STDMETHOD(get_SMTPAddress)(BSTR* pVal) PURE;
    STDMETHOD(get_DisplayName)(BSTR* pVal) PURE;
    STDMETHOD(get_DistListName)(BSTR* pVal) PURE;

protected:
    ~ITMPersonData() = default;
};

POLLENTA_INTERFACE_IID(ITMPersonData, IID_ITMPersonData);
