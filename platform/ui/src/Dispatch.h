#pragma once
// The layer's own side of the messages: it tells a window's receiver what
// happened to the window, in the order Windows would.

#include "WindowRecord.h"
#include "ui/Types.h"

WindowRecord* FindRecord(HWND hwnd);

// The sizes a top-level window may take, as its receiver adjusts them.
MINMAXINFO QueryMinMaxInfo(WindowRecord& record);
// Hands the sizes to Qt, so that the user's resizing keeps to them too.
void ApplyTrackLimits(WindowRecord& record);
// Tells the receiver the new client size or state, once per change.
void NotifySize(WindowRecord& record);
// A control's command notification: to the control's receiver first, then
// to its parent's.
void SendCommand(WindowRecord& control, UINT code);
void SendNotify(WindowRecord& control, UINT code);
// A notification with more than its header (which names the control); the
// control's own receiver first, then its parent's. Answers what the one
// that handled it answered, else 0.
LRESULT SendNotifyHeader(WindowRecord& control, NMHDR* header);
