#pragma once
// Two things the journal beside each registry file brings: the file
// written whole on request, and changes that reach the disk together.
//
// Each registry file keeps a journal of the changes made since it was last
// written whole; a change is on the disk when the call that made it
// returns, unless a RegistryChangeGroup is open on its thread.

#include "win/Registry.h"

// Writes the registry files of the key's root whole, with every change of
// their journals in them, so that the files alone are the registry's text
// (the journal of a file is folded in on its own as it grows, and when the
// last process that wrote exits).
LONG RegFlushKey(HKEY key);

// Changes that belong together reach the disk as one write: while a group
// is open, this thread's changes are seen at once by this process and are
// written when the outermost group ends, each root's in one durable write
// that other processes see whole or not at all. A process killed before
// the end loses the group's changes, and only those.
//
//     RegistryChangeGroup group;
//     ... RegSetValueEx, RegCreateKeyEx, RegDeleteTree ...
//     if (LONG error = group.End()) ... nothing of the group was written
class RegistryChangeGroup {
public:
    RegistryChangeGroup();
    // Ends the group if End was not called; its error is then lost.
    ~RegistryChangeGroup();
    RegistryChangeGroup(const RegistryChangeGroup&) = delete;
    RegistryChangeGroup& operator=(const RegistryChangeGroup&) = delete;

    // Writes the changes (for an inner group: leaves them to the outer one)
    // and returns the first error.
    LONG End();

private:
    bool m_open = true;
};
