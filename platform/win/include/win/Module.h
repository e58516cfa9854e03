#pragma once
// Loaded modules (shared objects). An HMODULE is the address at which the
// module is loaded, as on Windows, so a module can find its own handle
// from the address of anything it contains.

#include "win/Errors.h"
#include "win/Types.h"

// void (*)() converts to any function pointer type without a warning.
using FARPROC = void (*)();

inline constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_PIN = 0x1;
inline constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT = 0x2;
inline constexpr DWORD GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS = 0x4;

inline constexpr DWORD LOAD_LIBRARY_AS_DATAFILE = 0x2;

// A path without "/" is searched for as dlopen searches. Failures give null
// with ERROR_MOD_NOT_FOUND.
HMODULE LoadLibrary(LPCSTR path);
HMODULE LoadLibraryEx(LPCSTR path, HANDLE reserved, DWORD flags);
// Each successful LoadLibrary needs one FreeLibrary.
BOOL FreeLibrary(HMODULE module);
// Null with ERROR_PROC_NOT_FOUND when the module has no such export.
FARPROC GetProcAddress(HMODULE module, LPCSTR name);

// A null name means the program itself.
HMODULE GetModuleHandle(LPCSTR name);
// With GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, name is an address inside
// the module sought: (LPCSTR)&someFunction gives the caller's own module.
BOOL GetModuleHandleEx(DWORD flags, LPCSTR name, HMODULE* module);

// The absolute path of the module (null: the program). A buffer that is too
// small receives as much as fits, NUL-terminated; the result is then the
// buffer size and the last error ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileName(HMODULE module, LPSTR fileName, DWORD size);
