#pragma once
// URL-decodes a picture path in place: trimmed, "+" a blank, "%xx" its byte;
// a "%" whose pair gives no byte is dropped and the next character kept.
// Returns 1.

#include <string>

int UrlDecodeInPlace(std::string& text);
