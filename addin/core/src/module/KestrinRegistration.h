#pragma once
// The registry entries of Kestrin under HKEY_CLASSES_ROOT: its AppID, its
// type library and its connection class (ProgID Kestrin.WEConnect). The root key AppID itself is never removed.

#include "win/Types.h"

#include <string>

HRESULT RegisterKestrin(const std::string& modulePath, const std::string& moduleFolder);
HRESULT UnregisterKestrin();
