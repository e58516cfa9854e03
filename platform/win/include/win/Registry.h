#pragma once
// The registry: keys with typed values, kept per root in text files that
// several processes share. Names are ANSI strings; every call returns a
// Win32 error code (ERROR_SUCCESS on success).

#include "win/Errors.h"
#include "win/Types.h"

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;

// The predefined roots carry the values Windows gives them.
inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(0x80000000)));
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(0x80000001)));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(0x80000002)));
inline HKEY const HKEY_USERS = reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(0x80000003)));

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr REGSAM KEY_NOTIFY = 0x0010;
inline constexpr REGSAM KEY_CREATE_LINK = 0x0020;
inline constexpr REGSAM KEY_WOW64_64KEY = 0x0100;
inline constexpr REGSAM KEY_WOW64_32KEY = 0x0200;
inline constexpr REGSAM KEY_READ = 0x20019;
inline constexpr REGSAM KEY_WRITE = 0x20006;
inline constexpr REGSAM KEY_EXECUTE = KEY_READ;
inline constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;

inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
inline constexpr DWORD REG_OPTION_VOLATILE = 1;

inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// A key or value name holding a line break (CR or LF) is refused with
// ERROR_INVALID_PARAMETER before anything is written: the registry files
// are line-based text and could not keep it.
LONG RegCreateKeyEx(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options, REGSAM desired,
                    const SECURITY_ATTRIBUTES* security, PHKEY result, LPDWORD disposition);
LONG RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);
LONG RegCloseKey(HKEY key);

// Without a buffer, the type and the size in bytes are reported; a buffer
// that is too small gives ERROR_MORE_DATA with the needed size. String
// sizes count the terminating NUL.
LONG RegQueryValueEx(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize);
// The default value of a subkey (an empty subKey means the key itself).
LONG RegQueryValue(HKEY key, LPCSTR subKey, LPSTR data, PLONG dataSize);
LONG RegSetValueEx(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD dataSize);
LONG RegDeleteValue(HKEY key, LPCSTR valueName);

// Enumeration follows the order in which entries were first written. The
// name sizes are in characters and count the NUL on the way in, not on the
// way out.
LONG RegEnumKeyEx(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved, LPSTR keyClass,
                  LPDWORD classSize, FILETIME* lastWriteTime);
LONG RegEnumValue(HKEY key, DWORD index, LPSTR valueName, LPDWORD valueNameSize, LPDWORD reserved, LPDWORD type,
                  LPBYTE data, LPDWORD dataSize);
LONG RegQueryInfoKey(HKEY key, LPSTR keyClass, LPDWORD classSize, LPDWORD reserved, LPDWORD subKeys,
                     LPDWORD maxSubKeyLength, LPDWORD maxClassLength, LPDWORD values, LPDWORD maxValueNameLength,
                     LPDWORD maxValueLength, LPDWORD securityDescriptorSize, FILETIME* lastWriteTime);

// RegDeleteKey removes a key without subkeys only; RegDeleteTree removes the
// subkey with everything below it (with a null subKey: everything below key).
LONG RegDeleteKey(HKEY key, LPCSTR subKey);
LONG RegDeleteTree(HKEY key, LPCSTR subKey);

inline constexpr DWORD REG_NOTIFY_CHANGE_NAME = 0x00000001;
inline constexpr DWORD REG_NOTIFY_CHANGE_ATTRIBUTES = 0x00000002;
inline constexpr DWORD REG_NOTIFY_CHANGE_LAST_SET = 0x00000004;
inline constexpr DWORD REG_NOTIFY_CHANGE_SECURITY = 0x00000008;
inline constexpr DWORD REG_NOTIFY_THREAD_AGNOSTIC = 0x10000000;

// Signals the event (one made by CreateEvent) once, when the key's values
// or subkey names change (with watchSubtree: anything below the key) or the
// key is deleted, whichever process made the change; closing the key
// signals it too. The registration then ends, and the caller registers
// again. A wait on any event first takes in the changes other processes
// have finished, so a change made before a look is seen by that look. A
// signal can come for nothing: when the key's registry file was written
// several times between two looks, a change undone in between could not be
// told apart, and it is signalled. A real change is never missed. The key needs KEY_NOTIFY. Only the asynchronous
// form exists: asynchronous FALSE gives ERROR_CALL_NOT_IMPLEMENTED, a filter
// with no known bit or with unknown ones ERROR_INVALID_PARAMETER, an event
// that is no event ERROR_INVALID_HANDLE.
//
//     RegNotifyChangeKeyValue(key, TRUE, REG_NOTIFY_CHANGE_LAST_SET, event, TRUE);
//     ... read what the key holds ...
//     if (WaitForSingleObject(event, 0) == WAIT_OBJECT_0) ... read again, register again
LONG RegNotifyChangeKeyValue(HKEY key, BOOL watchSubtree, DWORD notifyFilter, HANDLE event, BOOL asynchronous);
