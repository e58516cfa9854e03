// A server module that fails: registration reports an error, and it offers
// no class objects at all.

#include "com/Export.h"

STDAPI DllRegisterServer() { return E_FAIL; }
