#pragma once
// Apartments and class activation: ProgIDs and CLSIDs are looked up in
// HKEY_CLASSES_ROOT; in-process servers are loaded from their
// InprocServer32 path and kept loaded until CoUninitialize or until they
// say they can be unloaded.

#include "com/ClassFactory.h"

inline constexpr DWORD CLSCTX_INPROC_SERVER = 0x1;
inline constexpr DWORD CLSCTX_INPROC_HANDLER = 0x2;
inline constexpr DWORD CLSCTX_LOCAL_SERVER = 0x4;
inline constexpr DWORD CLSCTX_REMOTE_SERVER = 0x10;
inline constexpr DWORD CLSCTX_INPROC = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER;
inline constexpr DWORD CLSCTX_SERVER = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
inline constexpr DWORD CLSCTX_ALL = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER |
                                    CLSCTX_REMOTE_SERVER;

inline constexpr DWORD COINIT_MULTITHREADED = 0x0;
inline constexpr DWORD COINIT_APARTMENTTHREADED = 0x2;

inline constexpr DWORD REGCLS_SINGLEUSE = 0;
inline constexpr DWORD REGCLS_MULTIPLEUSE = 1;

// The entry points of an in-process server module.
using LPFNGETCLASSOBJECT = HRESULT (*)(REFCLSID, REFIID, void**);
using LPFNCANUNLOADNOW = HRESULT (*)();
using LPFNREGISTERSERVER = HRESULT (*)();

extern "C" {
// S_OK for the thread's first call, S_FALSE for a nested one.
HRESULT CoInitialize(void* reserved);
HRESULT CoInitializeEx(void* reserved, DWORD coInit);
// The last call on a thread releases the thread's class objects; the last
// apartment of the process unloads every server module.
void CoUninitialize();

// Reads HKCR\<ProgID>\CLSID, following HKCR\<ProgID>\CurVer when there is no
// CLSID key. CO_E_CLASSSTRING for an unknown ProgID. Every function here that
// reads the registry gives REGDB_E_READREGDB when it cannot be read.
HRESULT CLSIDFromProgID(LPCOLESTR progId, CLSID* clsid);
// Reads HKCR\CLSID\{...}\ProgID; the text is freed with CoTaskMemFree.
// REGDB_E_CLASSNOTREG when the class or its ProgID is not registered.
HRESULT ProgIDFromCLSID(REFCLSID clsid, LPOLESTR* progId);
HRESULT StringFromCLSID(REFCLSID clsid, LPOLESTR* text);
HRESULT StringFromIID(REFIID iid, LPOLESTR* text);

void* CoTaskMemAlloc(size_t size);
void* CoTaskMemRealloc(void* block, size_t size);
void CoTaskMemFree(void* block);

// A class object registered in this process comes first, then the
// InprocServer32 module of HKCR\CLSID\{...} (also for CLSCTX_LOCAL_SERVER:
// no server processes are started, local servers run in process). REGDB_E_CLASSNOTREG when the
// class is not registered, CO_E_DLLNOTFOUND when its module cannot be
// loaded, CO_E_ERRORINDLL when the module has no DllGetClassObject.
HRESULT CoGetClassObject(REFCLSID clsid, DWORD clsContext, void* serverInfo, REFIID iid, void** classObject);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD clsContext, REFIID iid, void** object);

// Makes a class object reachable by CoCreateInstance in this process (the
// way a local server offers its classes); the cookie revokes it.
HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* classObject, DWORD clsContext, DWORD flags, DWORD* cookie);
HRESULT CoRevokeClassObject(DWORD cookie);
// Unloads the server modules whose DllCanUnloadNow says S_OK.
void CoFreeUnusedLibraries();

HRESULT CoCreateGuid(GUID* guid);
}

namespace pollenta::com {
// Replaces the source of CoCreateGuid, so that tests get known GUIDs; null
// restores random ones.
using GuidSource = HRESULT (*)(GUID* guid);
void SetGuidSource(GuidSource source);
}  // namespace pollenta::com
