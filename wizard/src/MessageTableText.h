#pragma once
// The wizard's message text of an id with its inserts, never empty: an id
// the table lacks reads as the generic unexpected-error text with the id.

#include "win/Types.h"

#include <string>
#include <vector>

std::string MessageTableText(DWORD id, const std::vector<std::string>& inserts);
// Line breaks become blanks, so that a text fits one row of a list.
std::string OneLine(std::string text);
