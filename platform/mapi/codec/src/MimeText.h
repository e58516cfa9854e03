#pragma once
// Text of a message in whatever charset it came, made into UTF-8.

#include "win/Types.h"

#include <span>
#include <string>
#include <vector>

// An unknown or missing charset is guessed (UTF-8 when the bytes are valid
// UTF-8, else windows-1252); bytes the charset cannot map become U+FFFD. Each
// guess or loss adds a line to `warnings`. NUL characters become U+FFFD too.
std::string TextToUtf8(std::span<const BYTE> bytes, const std::string& charset, std::vector<std::string>& warnings);

// Replaces invalid UTF-8 in a header value with U+FFFD, with a warning.
std::string ValidUtf8(const char* text, const char* what, std::vector<std::string>& warnings);

// A header as it stood, with the raw 8-bit bytes that older mail programs put
// inside "Q" encoded words written as "=XX", so that they are read in the
// encoded word's charset like the rest of its text.
std::string EscapeRawBytesInEncodedWords(const char* raw);
