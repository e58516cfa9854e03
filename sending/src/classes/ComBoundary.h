#pragma once
// What every COM member of the component does at its boundary: no exception
// leaves it (pollenta::com::GuardedCall), and a failure carries error
// information for the client.

#include "win/Errors.h"

#include "com/ComBoundary.h"
#include "com/Guid.h"

#include <string>

// Sets the thread's error information (source: the ProgID of TMMailItem)
// and returns `hr`.
HRESULT SetComponentError(HRESULT hr, const std::string& description, REFIID iid);
