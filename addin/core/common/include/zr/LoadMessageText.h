#pragma once
// The text of an entry of the calling module's own message table (US
// English), with its inserts put in for %1, %2 ... and its closing line
// break cut off:
//
//     LoadMessageText(0xE00022C5, {"Gastrel.Hubberly"})
//         == "Fatal error while creating object \"Gastrel.Hubberly\""
//
// Each module that builds this source in finds its own table; an id the
// table lacks gives "".

#include "win/Types.h"

#include <initializer_list>
#include <string>

std::string LoadMessageText(DWORD id, std::initializer_list<std::string> inserts = {});
