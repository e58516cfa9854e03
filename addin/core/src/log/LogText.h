#pragma once
// Texts made fit for one field of a log line.

#include <string>

// Every control character (CR, LF, TAB and the others) becomes a blank.
std::string OneLine(const std::string& text);
// At most `limit` bytes, cut between characters, with "..." after a cut.
std::string CutInsert(const std::string& text, std::size_t limit);
