#pragma once
// Removing what the product made: its projects (all of them, or only the
// samples), the add-in's logs and the product's settings.

#include "win/Types.h"

#include <string>

class CWEUninstall {
public:
    // Deletes the projects through a project library object; with all, also
    // the data folder when that is then empty. COM must be initialised.
    static HRESULT DeleteProjects(bool all);
    // Asks whether to keep the projects; either way the samples go. When
    // they are not kept, the add-in's logs and the product key go too.
    static void Uninstall(const std::string& moduleDir);

private:
    // The add-in beside this library clears its logs; no add-in, or one
    // without the export, means there are none to clear.
    static void ClearAddinLogs(const std::string& moduleDir);
};
