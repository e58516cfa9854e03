#pragma once
// HRESULT and Win32 error values, with the numbers the callers compare
// against.

#include "win/Types.h"

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
constexpr HRESULT MAKE_HRESULT(unsigned severity, unsigned facility, unsigned code)
{
    return static_cast<HRESULT>((static_cast<DWORD>(severity) << 31) | (static_cast<DWORD>(facility) << 16) |
                                static_cast<DWORD>(code));
}
constexpr unsigned HRESULT_CODE(HRESULT hr) { return static_cast<DWORD>(hr) & 0xFFFF; }
constexpr unsigned HRESULT_FACILITY(HRESULT hr) { return (static_cast<DWORD>(hr) >> 16) & 0x1FFF; }

inline constexpr unsigned FACILITY_ITF = 4;
inline constexpr unsigned FACILITY_WIN32 = 7;

constexpr HRESULT HRESULT_FROM_WIN32(DWORD error)
{
    return static_cast<HRESULT>(error) <= 0 ? static_cast<HRESULT>(error)
                                            : static_cast<HRESULT>((error & 0xFFFF) | (FACILITY_WIN32 << 16) | 0x80000000u);
}

#define POLLENTA_HR(value) static_cast<HRESULT>(static_cast<DWORD>(value))

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = POLLENTA_HR(0x80004001);
inline constexpr HRESULT E_NOINTERFACE = POLLENTA_HR(0x80004002);
inline constexpr HRESULT E_POINTER = POLLENTA_HR(0x80004003);
inline constexpr HRESULT E_ABORT = POLLENTA_HR(0x80004004);
inline constexpr HRESULT E_FAIL = POLLENTA_HR(0x80004005);
inline constexpr HRESULT E_UNEXPECTED = POLLENTA_HR(0x8000FFFF);
inline constexpr HRESULT E_ACCESSDENIED = POLLENTA_HR(0x80070005);
inline constexpr HRESULT E_HANDLE = POLLENTA_HR(0x80070006);
inline constexpr HRESULT E_OUTOFMEMORY = POLLENTA_HR(0x8007000E);
inline constexpr HRESULT E_INVALIDARG = POLLENTA_HR(0x80070057);

inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = POLLENTA_HR(0x80020001);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = POLLENTA_HR(0x80020003);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = POLLENTA_HR(0x80020004);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = POLLENTA_HR(0x80020005);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = POLLENTA_HR(0x80020006);
inline constexpr HRESULT DISP_E_NONAMEDARGS = POLLENTA_HR(0x80020007);
inline constexpr HRESULT DISP_E_BADVARTYPE = POLLENTA_HR(0x80020008);
inline constexpr HRESULT DISP_E_EXCEPTION = POLLENTA_HR(0x80020009);
inline constexpr HRESULT DISP_E_OVERFLOW = POLLENTA_HR(0x8002000A);
inline constexpr HRESULT DISP_E_BADINDEX = POLLENTA_HR(0x8002000B);
inline constexpr HRESULT DISP_E_ARRAYISLOCKED = POLLENTA_HR(0x8002000D);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = POLLENTA_HR(0x8002000E);
inline constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = POLLENTA_HR(0x8002000F);
inline constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = POLLENTA_HR(0x8002802B);

inline constexpr HRESULT CLASS_E_NOAGGREGATION = POLLENTA_HR(0x80040110);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = POLLENTA_HR(0x80040111);
inline constexpr HRESULT REGDB_E_READREGDB = POLLENTA_HR(0x80040150);
inline constexpr HRESULT REGDB_E_WRITEREGDB = POLLENTA_HR(0x80040151);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = POLLENTA_HR(0x80040154);
inline constexpr HRESULT CONNECT_E_NOCONNECTION = POLLENTA_HR(0x80040200);
inline constexpr HRESULT CONNECT_E_ADVISELIMIT = POLLENTA_HR(0x80040201);
inline constexpr HRESULT CONNECT_E_CANNOTCONNECT = POLLENTA_HR(0x80040202);
inline constexpr HRESULT SELFREG_E_TYPELIB = POLLENTA_HR(0x80040200);
inline constexpr HRESULT SELFREG_E_CLASS = POLLENTA_HR(0x80040201);
inline constexpr HRESULT CO_E_NOTINITIALIZED = POLLENTA_HR(0x800401F0);
inline constexpr HRESULT CO_E_CLASSSTRING = POLLENTA_HR(0x800401F3);
inline constexpr HRESULT CO_E_DLLNOTFOUND = POLLENTA_HR(0x800401F8);
inline constexpr HRESULT CO_E_ERRORINDLL = POLLENTA_HR(0x800401F9);
inline constexpr HRESULT STG_E_INVALIDFUNCTION = POLLENTA_HR(0x80030001);
inline constexpr HRESULT STG_E_ACCESSDENIED = POLLENTA_HR(0x80030005);
inline constexpr HRESULT STG_E_READFAULT = POLLENTA_HR(0x8003001E);
inline constexpr HRESULT STG_E_INVALIDPOINTER = POLLENTA_HR(0x80030009);
inline constexpr HRESULT STG_E_MEDIUMFULL = POLLENTA_HR(0x80030070);

inline constexpr DWORD ERROR_SUCCESS = 0;
inline constexpr DWORD NO_ERROR = 0;
inline constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
inline constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
inline constexpr DWORD ERROR_ACCESS_DENIED = 5;
inline constexpr DWORD ERROR_INVALID_HANDLE = 6;
inline constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr DWORD ERROR_BAD_FORMAT = 11;
inline constexpr DWORD ERROR_INVALID_DATA = 13;
inline constexpr DWORD ERROR_OUTOFMEMORY = 14;
inline constexpr DWORD ERROR_NO_MORE_FILES = 18;
inline constexpr DWORD ERROR_SHARING_VIOLATION = 32;
inline constexpr DWORD ERROR_FILE_EXISTS = 80;
inline constexpr DWORD ERROR_INVALID_PARAMETER = 87;
inline constexpr DWORD ERROR_CALL_NOT_IMPLEMENTED = 120;
inline constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr DWORD ERROR_INVALID_NAME = 123;
inline constexpr DWORD ERROR_MOD_NOT_FOUND = 126;
inline constexpr DWORD ERROR_PROC_NOT_FOUND = 127;
inline constexpr DWORD ERROR_DIR_NOT_EMPTY = 145;
inline constexpr DWORD ERROR_ALREADY_EXISTS = 183;
inline constexpr DWORD ERROR_MORE_DATA = 234;
inline constexpr DWORD WAIT_TIMEOUT = 258;
inline constexpr DWORD ERROR_NO_MORE_ITEMS = 259;
inline constexpr DWORD ERROR_DIRECTORY = 267;
inline constexpr DWORD ERROR_MR_MID_NOT_FOUND = 317;
inline constexpr DWORD ERROR_BADDB = 1009;
inline constexpr DWORD ERROR_BADKEY = 1010;
inline constexpr DWORD ERROR_CANTOPEN = 1011;
inline constexpr DWORD ERROR_CANTREAD = 1012;
inline constexpr DWORD ERROR_CANTWRITE = 1013;
inline constexpr DWORD ERROR_REGISTRY_CORRUPT = 1015;
inline constexpr DWORD ERROR_KEY_DELETED = 1018;
inline constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;
inline constexpr DWORD ERROR_RESOURCE_DATA_NOT_FOUND = 1812;
inline constexpr DWORD ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;
inline constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;
inline constexpr DWORD ERROR_RESOURCE_LANG_NOT_FOUND = 1815;
inline constexpr DWORD ERROR_INVALID_FLAGS = 1004;
inline constexpr DWORD ERROR_CANCELLED = 1223;

// The calling thread's last error, as set by the platform functions.
extern "C" DWORD GetLastError();
extern "C" void SetLastError(DWORD error);
