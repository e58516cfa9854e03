#pragma once
// A colour of the desktop database program as CSS: "#rrggbb" for a colour
// stored blue-green-red, a CSS2 system colour name for 0x80000000 plus a
// system colour index, the decimal number for other values with the top bit.

#include "win/Types.h"

#include <string>

namespace gastrel {

std::string ColorText(LONG value);
// The same colour for an HTML attribute (BGCOLOR=), where browsers read no
// colour names of the system but take the letters of one for hex digits:
// "#rrggbb" always, a system colour as the platform's GetSysColor gives it;
// "" for a value that names no colour.
std::string AttributeColorText(LONG value);

}  // namespace gastrel
