#pragma once
// Message boxes. Every box goes through one hook when a test has set it; the
// hook sees what the box would show and answers for the user. Where no user
// can see the box (no display, or an offscreen platform with no hook), its
// caption and text go to stderr and it answers its default button.

#include "ui/Messages.h"

#include <functional>
#include <string>

struct MessageBoxRequest {
    HWND owner = nullptr;
    std::string text;
    std::string caption;
    UINT type = MB_OK;
};
using MessageBoxHook = std::function<int(const MessageBoxRequest& request)>;

// Returns the hook it replaces; an empty hook shows real boxes again.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

int MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
// A box owned by the foreground window with the application's name as caption.
int AfxMessageBox(LPCSTR text, UINT type = MB_OK);
BOOL MessageBeep(UINT type);
