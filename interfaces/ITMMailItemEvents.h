#pragma once
// _ITMMailItemEvents: the events of TMMailItem, a pure dispatch interface
// that client sinks implement. EvaluateMacros(PersonData, Macros) asks the
// client for the value of a macro registered as dfOwnerEvaluate, once per
// recipient; DISPPARAMS carry Macros in rgvarg[0] and PersonData in rgvarg[1].

#include "TorvaneGuids.h"

#include "com/Dispatch.h"

inline constexpr DISPID DISPID_TMMAILITEMEVENTS_EVALUATEMACROS = 1;

struct _ITMMailItemEvents : IDispatch {
protected:
    ~_ITMMailItemEvents() = default;
};

POLLENTA_INTERFACE_IID(_ITMMailItemEvents, DIID__ITMMailItemEvents);
