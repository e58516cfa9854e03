#pragma once
// Message texts from message tables, the system or a format string, with
// %1..%99 inserts.

#include "win/Types.h"

#include <cstdarg>

inline constexpr DWORD FORMAT_MESSAGE_ALLOCATE_BUFFER = 0x00000100;
inline constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x00000200;
inline constexpr DWORD FORMAT_MESSAGE_FROM_STRING = 0x00000400;
inline constexpr DWORD FORMAT_MESSAGE_FROM_HMODULE = 0x00000800;
inline constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x00001000;
inline constexpr DWORD FORMAT_MESSAGE_ARGUMENT_ARRAY = 0x00002000;
inline constexpr DWORD FORMAT_MESSAGE_MAX_WIDTH_MASK = 0x000000FF;

// Inserts take their arguments from *arguments (a va_list, read in the
// order of the insert numbers) or, with FORMAT_MESSAGE_ARGUMENT_ARRAY, from
// an array of DWORD_PTR. An insert is a string unless it says otherwise
// (%2!d!). With language 0 a message in any language will do; a language
// that the table lacks gives ERROR_RESOURCE_LANG_NOT_FOUND, an id it lacks
// ERROR_MR_MID_NOT_FOUND. A result that does not fit gives
// ERROR_INSUFFICIENT_BUFFER. With FORMAT_MESSAGE_ALLOCATE_BUFFER, buffer is
// really an LPSTR* that receives memory to release with LocalFree.
// Returns the number of characters written, without the NUL.
DWORD FormatMessage(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer, DWORD size,
                    va_list* arguments);
