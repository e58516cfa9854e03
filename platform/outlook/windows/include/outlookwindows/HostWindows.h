#pragma once
// The client's windows on a display, drawn with Qt from its object model:
// an explorer window for every explorer (folder tree, message list, menu
// bar from its command bars), an inspector window for every inspector
// (headers, the HTML body, menu bar and toolbar from its command bars,
// Send) and the Options dialog with the pages add-ins add. Windows come and
// go with the object model's NewExplorer/NewInspector and Close events.
//
//     HostWindows windows(*host);        // before the first explorer opens
//     host->OpenExplorer(&explorer);     // its window shows
//     windows.Run(stopFd);               // until the fd is readable or the last explorer closes

#include "outlook/OutlookHost.h"

#include <memory>
#include <string>

namespace pollenta::outlook {

// True when windows can be shown: a Qt platform named in QT_QPA_PLATFORM,
// a Wayland or local X11 display whose socket exists, or a remote X11
// display.
bool HasDisplay();

class HostWindows {
public:
    explicit HostWindows(OutlookHost& host);
    ~HostWindows();
    HostWindows(const HostWindows&) = delete;
    HostWindows& operator=(const HostWindows&) = delete;

    // The event loop, until `stopFd` becomes readable (-1: no such fd) or
    // the last explorer window closes; its exit code.
    int Run(int stopFd);
    // Lets pending window work happen (tests).
    void ProcessEvents();
    // The window of an explorer or inspector as a PNG file.
    bool SaveWindowPicture(IUnknown* explorerOrInspector, const std::string& pngPath);
    // The window's menu with this caption (without its "&" marks), opened
    // as a click would open it, as a PNG file; false when there is none.
    bool SaveMenuPicture(IUnknown* explorerOrInspector, const std::string& caption, const std::string& pngPath);
    // Triggers the window's menu or toolbar entry with this caption (without
    // its "&" marks), as a click would; false when the window has none.
    bool Trigger(IUnknown* explorerOrInspector, const std::string& caption);
    // The Options dialog, shown modeless; its tab titles.
    std::vector<std::string> ShowOptions();

    class Impl;

private:
    std::unique_ptr<Impl> m_impl;
};

}  // namespace pollenta::outlook
