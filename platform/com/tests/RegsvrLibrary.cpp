// A shared library with registration entry points that throw, and a
// function that the module linking it calls. regsvr must report the throw
// when it registers this library, and must not run these entry points when
// it registers the module that links it.

#include "com/Export.h"

#include <stdexcept>

STDAPI DllRegisterServer() { throw std::runtime_error("the registry key cannot be written"); }

STDAPI DllUnregisterServer() { throw 42; }

STDAPI_(int) RegsvrLibraryAnswer() { return 42; }
