#pragma once
// Open registry keys. A handle records where its key lies and what it was
// opened for; the key itself is looked up again on every call, since
// another process may have changed or removed it meanwhile.

#include "RegistryView.h"
#include "win/Registry.h"

struct HKEY__ {
    RegistryRoot root;
    RegistryView::Path path;
    REGSAM access;
};

class RegistryHandle {
public:
    // Copies what the handle names into place (the predefined roots have
    // every access), or returns ERROR_INVALID_HANDLE.
    static LONG Resolve(HKEY key, HKEY__& place);
    // As Resolve, and ERROR_ACCESS_DENIED unless the handle has the access.
    static LONG ResolveFor(HKEY key, REGSAM needed, HKEY__& place);
    // As ResolveFor, without a copy of the path for each call: place is
    // this thread's copy of the handle, good until its next call.
    static LONG Look(HKEY key, REGSAM needed, const HKEY__*& place);
    // Adds the names of subKey to path; false when the result breaks the
    // registry's limits or holds a name the registry file cannot keep.
    static bool Descend(RegistryView::Path& path, LPCSTR subKey);

    // Whether the handle is one of the predefined roots.
    static bool IsRoot(HKEY key);

    static HKEY Open(RegistryRoot root, RegistryView::Path path, REGSAM access);
    static LONG Close(HKEY key);

    // The error for a key that is not there: a handle whose key has gone
    // reports it deleted.
    static LONG Missing(const HKEY__& place);
};
