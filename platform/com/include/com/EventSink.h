#pragma once
// A client's event sink for one dispatch event interface: Invoke passes
// each event, by DISPID, to a handler. Handlers read the arguments from the
// DispatchCall.

#include "com/DispatchCall.h"
#include "com/Unknown.h"

#include <functional>

namespace pollenta::com {

using EventHandler = std::function<HRESULT(DISPID id, DispatchCall& call)>;

// A new sink with one reference, answering QueryInterface for IUnknown,
// IDispatch and `eventIid`. DISPIDs the handler does not know should return
// DISP_E_MEMBERNOTFOUND.
HRESULT CreateEventSink(REFIID eventIid, EventHandler handler, IDispatch** sink);

}  // namespace pollenta::com
