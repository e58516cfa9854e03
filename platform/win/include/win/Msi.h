#pragma once
// The installer session of a custom action, reduced to its properties: a
// handle stands for a set of named texts that whoever runs the action
// passes in (the dllrun program takes them from its command line).
//
//   MSIHANDLE session = MsiOpenPropertySession({{"CustomActionData", "/SILENT Survey db.sqlite Form"}});
//   UINT result = MsaDbRegMSI(session);
//   MsiCloseHandle(session);

#include "win/Errors.h"
#include "win/Types.h"

#include <map>
#include <string>

using MSIHANDLE = ULONG;

inline constexpr UINT ERROR_INSTALL_FAILURE = 1603;

// The property's text into value. *size gives the buffer's characters and
// comes back as the text's length without the NUL; a buffer too small for
// text and NUL gives ERROR_MORE_DATA (with as much as fits). A property that
// was not passed reads as "". ERROR_INVALID_HANDLE for an unknown handle.
UINT MsiGetPropertyA(MSIHANDLE session, LPCSTR name, LPSTR value, DWORD* size);
UINT MsiCloseHandle(MSIHANDLE handle);

// Not an installer function: a session holding these properties, whose
// names are compared exactly, as the installer does.
MSIHANDLE MsiOpenPropertySession(std::map<std::string, std::string> properties);
