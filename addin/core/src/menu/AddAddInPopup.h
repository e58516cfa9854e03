#pragma once
// The add-in's temporary popup at the end of one of a menu bar's menus
// (found by its built-in id, searched through popups), and the argument
// that a left-out optional parameter carries.

#include "OfficeCommandBars.h"

#include "com/ComPtr.h"
#include "com/ComVariant.h"

CComVariant LeftOutArgument();
// S_OK with the popup; E_FAIL when the menu is missing, else the failing call's HRESULT.
HRESULT AddAddInPopup(CommandBar* menuBar, LONG menuId, CComPtr<CommandBarPopup>& popup);
