#pragma once
// Waiting on the user without blocking the thread's windows: a loop that
// runs the thread's events until a condition holds, and the quit request
// that ends every such wait.
//
//     if (!RunMessageLoopUntil([&] { return m_bClosing; }))
//         return; // the host is quitting; the request stays for its own loop

#include "win/Types.h"

#include <functional>

// Asks the thread's loops to end, as a WM_QUIT would; the request stays
// until ClearQuitRequest.
void PostQuitMessage(int exitCode);
bool IsQuitRequested();
void ClearQuitRequest();

// Runs the thread's events until `done` answers true (TRUE) or a quit is
// requested (FALSE). `done` is asked before the first wait and after every
// event.
BOOL RunMessageLoopUntil(const std::function<bool()>& done);

// Runs `callback` on this thread the next time its events are run.
void PostCallback(std::function<void()> callback);
