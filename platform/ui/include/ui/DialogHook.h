#pragma once
// A hook that sees every dialog the moment it is on the screen, before a
// modal dialog starts waiting: tests find the window there, press its
// buttons or take its picture.

#include <functional>

class CDialog;

using DialogShownHook = std::function<void(CDialog& dialog)>;

// Returns the hook it replaces; an empty hook ends watching.
DialogShownHook SetDialogShownHook(DialogShownHook hook);
// Whether a test watches dialogs, so that an offscreen dialog has someone
// to answer it.
bool HasDialogShownHook();
// Called by the dialog layer once a dialog is shown.
void NotifyDialogShown(CDialog& dialog);
