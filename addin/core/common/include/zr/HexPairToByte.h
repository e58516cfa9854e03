#pragma once
// The byte that two hexadecimal digits stand for, as entry ids and
// URL-encoded form data write them.
//
//     HexPairToByte("4a") == 0x4A; HexPairToByte("4G") == 0; HexPairToByte("4") == 0

#include "win/Types.h"

// Reads the first two characters, either case; a null or shorter text, or a
// character that is not a hexadecimal digit, gives 0.
BYTE HexPairToByte(const char* text);
