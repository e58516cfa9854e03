#pragma once
// Byte text in a named charset to and from UTF-8 through iconv. Nothing is
// ever dropped silently: bytes that are not text in the charset become
// U+FFFD when decoding, and characters the charset lacks become numeric
// character references (&#1234;) when encoding, which every HTML reader
// turns back into the character.

#include <string>
#include <string_view>

namespace pollenta::html {

// Charsets are labels as browsers read them ("iso-8859-1" decodes as
// windows-1252), or else iconv's names.

// True when iconv can convert between the charset and UTF-8.
bool IsKnownCharset(const std::string& charset);
// False (and an empty result) only for a charset iconv does not know.
bool DecodeToUtf8(std::string_view bytes, const std::string& charset, std::string& utf8);
bool EncodeFromUtf8(std::string_view utf8, const std::string& charset, std::string& bytes);

}  // namespace pollenta::html
