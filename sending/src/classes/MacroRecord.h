#pragma once
// One macro registered with TMMailItem::AddMacros: the text it replaces in
// a message and where its value comes from.

#include "win/Types.h"

#include <string>

struct MacroRecord {
    // "%" + name + "%": the text replaced in subject and body.
    std::string key;
    std::string name;
    // A tagQZDDynamicFields value; meaningful only for a dynamic macro.
    LONG dynamicCode = 0;
    // The fixed text of a static macro, or the last value a client gave.
    std::string value;
    bool dynamic = false;
};
