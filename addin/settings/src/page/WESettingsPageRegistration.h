#pragma once
// The registry entries of Kestrin.WESettingsPage under HKEY_CLASSES_ROOT:
// the class and its ProgIDs, and what marks it as a control.

#include "win/Types.h"

#include <string>

HRESULT RegisterWESettingsPage(const std::string& modulePath);
HRESULT UnregisterWESettingsPage();
