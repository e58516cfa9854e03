#pragma once
// A macro whose value the owner of the mail item supplies: asked of every
// sink of the item's EvaluateMacros event, with the recipient's fields.

#include "classes/PersonFields.h"

#include "win/Types.h"

#include <string>

class TMMailItem;

// `value` is what the sinks left in the macro, "" when none set it; fails
// only when the event's objects cannot be made.
HRESULT EvaluateOwnerMacro(TMMailItem& owner, const std::string& name, const PersonFields& fields,
                           std::string& value);
