#pragma once
// The ways the component throws its error object. Each composes the
// description in the current language and records where it was thrown;
// callers pass ZR_HERE.

#include "CZrException.h"

#include "com/ComPtr.h"
#include "com/Unknown.h"
#include "mapi/MapiUtil.h"

#include <string>

inline constexpr DWORD ZR_E_INVALID_MEMBER_STATE = 0xC000230C;

// E_INVALIDARG with the system text and the argument's name.
[[noreturn]] void ThrowInvalidArgument(const char* argumentName,
                                       const CZrSourcePlace& where);
// 0xC000230C with the member's name.
[[noreturn]] void ThrowInvalidMemberState(const char* memberName,
                                          const CZrSourcePlace& where);
[[noreturn]] void ThrowComponentError(DWORD id, const CZrSourcePlace& where);
[[noreturn]] void ThrowComponentError(DWORD id, const std::string& insert,
                                      const CZrSourcePlace& where);
// A failed MAPI call: the message text, then the MAPI text of the HRESULT.
[[noreturn]] void ThrowMapiResult(DWORD id, HRESULT hr, const char* callName,
                                  const CZrSourcePlace& where);
// A failed COM call: the message text, then the system text of the HRESULT.
[[noreturn]] void ThrowComResult(DWORD id, HRESULT hr, const char* callName,
                                 const CZrSourcePlace& where);
// A failed COM call on an object: the message text, the object's own error
// description for `iid` (when it gives one), the system text of the HRESULT.
[[noreturn]] void ThrowComObject(DWORD id, HRESULT hr, REFIID iid, IUnknown* object, const char* callName,
                                 const CZrSourcePlace& where);

// A failed call on a MAPI object: the message text (with its insert when
// given), the object's last-error text for the HRESULT, the MAPI text of the
// HRESULT.
[[noreturn]] void ThrowMapiObjectText(DWORD id, HRESULT hr, const std::string& lastError, const char* callName,
                                      const std::string* insert, const CZrSourcePlace& where);

// The text a MAPI object keeps about its last failure with `hr`, or "".
template <class MapiObject>
std::string MapiLastErrorText(MapiObject* object, HRESULT hr)
{
    LPMAPIERROR error = nullptr;
    std::string text;
    if (object && SUCCEEDED(object->GetLastError(hr, 0, &error)) && error) {
        if (error->lpszError)
            text = error->lpszError;
        MAPIFreeBuffer(error);
    }
    return text;
}

template <class MapiObject>
[[noreturn]] void ThrowMapiObject(DWORD id, HRESULT hr, MapiObject* object, const char* callName,
                                  const CZrSourcePlace& where)
{
    ThrowMapiObjectText(id, hr, MapiLastErrorText(object, hr), callName, nullptr, where);
}

template <class MapiObject>
[[noreturn]] void ThrowMapiObject(DWORD id, HRESULT hr, const CComPtr<MapiObject>& object, const char* callName,
                                  const CZrSourcePlace& where)
{
    ThrowMapiObjectText(id, hr, MapiLastErrorText(object.p, hr), callName, nullptr, where);
}

template <class MapiObject>
[[noreturn]] void ThrowMapiObject(DWORD id, const std::string& insert, HRESULT hr, const CComPtr<MapiObject>& object,
                                  const char* callName, const CZrSourcePlace& where)
{
    ThrowMapiObjectText(id, hr, MapiLastErrorText(object.p, hr), callName, &insert, where);
}
