#pragma once
// The process's Qt application and who sees its windows. Tests run on an
// offscreen platform that they ask for and answer boxes through hooks; a
// server, a CI machine or a headless run has no display at all, and there
// nothing may wait for a user or abort the process.

class QApplication;

enum class DisplayKind {
    User,      // a screen that someone watches
    Requested, // an offscreen or minimal platform that the environment asked for
    None,      // nobody: no display, or no Qt application can be made
};

// Made on first use, on the platform the environment names (QT_QPA_PLATFORM,
// else Wayland or X11 when their display is set) and offscreen when that one
// cannot start, so that a missing display never aborts the process. Null
// when the process already runs a Qt application without widgets.
QApplication* EnsureApplication();

// Answers without making the application when the environment already tells.
DisplayKind CurrentDisplay();
