#pragma once
// The client running: its object model on the profile's session, its main
// explorer, the add-ins connected, until SIGINT or SIGTERM; then the
// add-ins hear OnBeginShutdown, the windows close and the add-ins are
// disconnected (ext_dm_HostShutdown), as the client shuts down.

#include "outlook/OutlookHost.h"

#include <string>

namespace mailhost {

// The signals that stop the host, blocked in every thread so that only the
// waiting host receives them; call before any thread starts.
void BlockStopSignals();
// Runs until a stop signal (or, with windows, until the last explorer
// window closes), fetching the mail of the profile's account meanwhile.
void RunHost(pollenta::outlook::OutlookHost& host, bool withWindows, const std::string& profile);

}  // namespace mailhost
