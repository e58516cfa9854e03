// A module without registration entry points of its own that links a
// library which has them.

#include "com/Export.h"

extern "C" int RegsvrLibraryAnswer();

STDAPI DllCanUnloadNow() { return RegsvrLibraryAnswer() == 42 ? S_OK : S_FALSE; }
