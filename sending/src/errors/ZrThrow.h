#pragma once
// The ways the component throws its error object. Each composes the
// description in the current language and records where it was thrown;
// callers pass ZR_HERE.

#include "CZrException.h"

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
