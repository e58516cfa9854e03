#pragma once
// A dialog as its resource describes it: the frame, the font and the
// controls, all positioned in dialog units. A module registers its templates
// under its own module handle, so two modules can use the same ids.

#include "win/Types.h"

#include <string>
#include <vector>

struct DialogItem {
    std::string className;
    std::string text;
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0;
    short y = 0;
    short cx = 0;
    short cy = 0;
    std::string caption;
    std::string fontName = "MS Shell Dlg";
    WORD pointSize = 8;
    std::vector<DialogItem> items;
};

// Registers a copy of the template; a later registration of the same id in
// the same module replaces the earlier one.
void RegisterDialogTemplate(HINSTANCE module, UINT id, const DialogTemplate& dialog);
const DialogTemplate* FindDialogTemplate(HINSTANCE module, UINT id);
// The module whose templates dialogs are built from when none is named.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);
