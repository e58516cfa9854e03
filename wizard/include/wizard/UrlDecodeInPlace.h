#pragma once
// URL-decodes a picture path in place: trimmed, "+" a blank, "%xx" its byte;
// a "%" whose pair gives no byte is dropped and the next character kept.
// Returns 1.

#include <string>

int UrlDecodeInPlace(std::string& text);
// A local path as a reference that decodes back to the same path: the
// characters decoding would change ("%", "+") and those a URL reads as
// query or fragment ("?", "#") are percent-encoded.
std::string UrlEncodedPath(const std::string& path);
