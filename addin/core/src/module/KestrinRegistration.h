#pragma once
// The registry entries of Kestrin under HKEY_CLASSES_ROOT: its AppID and
// its type library. The root key AppID itself is never removed.

#include "win/Types.h"

#include <string>

HRESULT RegisterKestrin(const std::string& modulePath, const std::string& moduleFolder);
HRESULT UnregisterKestrin();
