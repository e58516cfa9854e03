#pragma once
// Settings of the desktop database program's objects read by name. A
// setting that cannot be read, or not as the type asked for, is absent;
// reading never fails otherwise.

#include "com/ComPtr.h"
#include "com/Dispatch.h"

#include <optional>
#include <string>

namespace gastrel {

std::optional<LONG> ReadLong(IDispatch* object, const char* name);
std::optional<bool> ReadBool(IDispatch* object, const char* name);
// ANSI text.
std::optional<std::string> ReadText(IDispatch* object, const char* name);
// An object setting or member (Controls, Section(n), CurrentProject ...);
// null when there is none.
CComPtr<IDispatch> ReadObject(IDispatch* object, const char* name);
CComPtr<IDispatch> ReadItem(IDispatch* object, const char* name, LONG index);

// How warnings name an object: its ControlName, FormName or Name, then ";"
// and the name of its kind.
std::string WarningObjectText(IDispatch* object);

}  // namespace gastrel
