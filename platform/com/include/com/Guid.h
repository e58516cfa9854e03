#pragma once
// GUIDs and their registry text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".

#include "win/Errors.h"

#include <cstring>
#include <string>

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline bool IsEqualGUID(REFGUID a, REFGUID b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }
inline bool IsEqualIID(REFIID a, REFIID b) { return IsEqualGUID(a, b); }
inline bool IsEqualCLSID(REFCLSID a, REFCLSID b) { return IsEqualGUID(a, b); }
inline bool operator==(REFGUID a, REFGUID b) { return IsEqualGUID(a, b); }
inline bool operator!=(REFGUID a, REFGUID b) { return !IsEqualGUID(a, b); }

inline constexpr GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

// Writes the braced text form with its terminating NUL; returns the number of
// characters written including the NUL, or 0 when cchMax is below 39.
extern "C" int StringFromGUID2(REFGUID guid, LPOLESTR text, int cchMax);
// Parses the braced text form; CO_E_CLASSSTRING for anything else.
extern "C" HRESULT CLSIDFromString(LPCOLESTR text, CLSID* clsid);
extern "C" HRESULT IIDFromString(LPCOLESTR text, IID* iid);

namespace pollenta::com {
// The same text form as ANSI, upper-case hex: "{00000000-0000-0000-C000-000000000046}".
std::string GuidToString(REFGUID guid);
// Accepts the braced form (case-insensitive); false for anything else.
bool GuidFromString(const std::string& text, GUID& guid);
}  // namespace pollenta::com
