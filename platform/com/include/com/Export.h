#pragma once
// Functions a server module exports by name (DllGetClassObject and its
// siblings): C linkage and visible from outside the module, whose other
// symbols are hidden.

#include "win/Errors.h"

#define STDAPI extern "C" __attribute__((visibility("default"))) HRESULT
#define STDAPI_(type) extern "C" __attribute__((visibility("default"))) type
