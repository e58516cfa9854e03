#pragma once
// Base64 as mail programs write it, padded or not.

#include "win/Types.h"

#include <span>
#include <vector>

// Skips line breaks and anything else outside the alphabet. "=" ends a group
// early, so that pieces encoded one after another decode whole; a group left
// short at the end without padding still gives its bytes, as it does in
// other mail readers. A lone last character carries no whole byte and is dropped.
std::vector<BYTE> DecodeBase64(std::span<const BYTE> text);
