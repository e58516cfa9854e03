#pragma once
// The registry entries of Torvane under HKEY_CLASSES_ROOT: its AppID, the
// ProgIDs and class of TMMailItem, the type library and the interfaces.

#include "win/Types.h"

#include <string>

HRESULT RegisterTorvane(const std::string& modulePath, const std::string& moduleFolder);
HRESULT UnregisterTorvane();
