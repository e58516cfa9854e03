#pragma once
// Rich error information: an object with a source, a description and help,
// kept per thread by SetErrorInfo/GetErrorInfo.

#include "com/Bstr.h"
#include "com/Unknown.h"

#include <string>

// {1CF2B120-547D-101B-8E65-08002B2BD119}
inline constexpr IID IID_IErrorInfo = {0x1CF2B120, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
// {22F03340-547D-101B-8E65-08002B2BD119}
inline constexpr IID IID_ICreateErrorInfo = {0x22F03340, 0x547D, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};
// {DF0B3D60-548F-101B-8E65-08002B2BD119}
inline constexpr IID IID_ISupportErrorInfo = {0xDF0B3D60, 0x548F, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xD1, 0x19}};

struct IErrorInfo : IUnknown {
    STDMETHOD(GetGUID)(GUID* pGUID) PURE;
    STDMETHOD(GetSource)(BSTR* pBstrSource) PURE;
    STDMETHOD(GetDescription)(BSTR* pBstrDescription) PURE;
    STDMETHOD(GetHelpFile)(BSTR* pBstrHelpFile) PURE;
    STDMETHOD(GetHelpContext)(DWORD* pdwHelpContext) PURE;

protected:
    ~IErrorInfo() = default;
};

struct ICreateErrorInfo : IUnknown {
    STDMETHOD(SetGUID)(REFGUID rguid) PURE;
    STDMETHOD(SetSource)(LPOLESTR szSource) PURE;
    STDMETHOD(SetDescription)(LPOLESTR szDescription) PURE;
    STDMETHOD(SetHelpFile)(LPOLESTR szHelpFile) PURE;
    STDMETHOD(SetHelpContext)(DWORD dwHelpContext) PURE;

protected:
    ~ICreateErrorInfo() = default;
};

struct ISupportErrorInfo : IUnknown {
    // S_OK when the object sets error info for calls through `riid`, else S_FALSE.
    STDMETHOD(InterfaceSupportsErrorInfo)(REFIID riid) PURE;

protected:
    ~ISupportErrorInfo() = default;
};

POLLENTA_INTERFACE_IID(IErrorInfo, IID_IErrorInfo);
POLLENTA_INTERFACE_IID(ICreateErrorInfo, IID_ICreateErrorInfo);
POLLENTA_INTERFACE_IID(ISupportErrorInfo, IID_ISupportErrorInfo);

extern "C" {
HRESULT CreateErrorInfo(ICreateErrorInfo** info);
// Replaces the calling thread's error object (null clears it); `reserved` must be 0.
HRESULT SetErrorInfo(ULONG reserved, IErrorInfo* info);
// Hands over the calling thread's error object and clears it; S_FALSE and
// null when there is none.
HRESULT GetErrorInfo(ULONG reserved, IErrorInfo** info);
}

namespace pollenta::com {
// Sets the thread's error object from ANSI texts; returns `hr` so that a
// server can write `return ReportError(E_FAIL, "...", "Source", IID_IFoo);`.
HRESULT ReportError(HRESULT hr, const std::string& description, const std::string& source = {},
                    REFGUID iid = GUID_NULL);
// The description of the thread's error object for a failed call through
// `iid` on `object`, when the object says it sets one; "" otherwise. The
// thread's error object is consumed.
std::string TakeErrorDescription(IUnknown* object, REFIID iid);
}  // namespace pollenta::com
