#pragma once
// Creation of the ADO objects (CLSID_Connection, CLSID_Recordset), in the
// manner of CoCreateInstance.

#include "com/Unknown.h"

extern "C" HRESULT AdoCreateInstance(REFCLSID clsid, REFIID iid, void** object);

namespace pollenta::ado {
// Lets a test stand in for the creation of ADO objects, to make creation
// fail or to hand out a recordset of its own; null restores the normal way.
using CreateHook = HRESULT (*)(REFCLSID clsid, REFIID iid, void** object);
void SetCreateHook(CreateHook hook);
}  // namespace pollenta::ado
