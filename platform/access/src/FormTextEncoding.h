#pragma once
// The bytes of a saved form as UTF-8 text.

#include <optional>
#include <string>

namespace pollenta::access {

// UTF-16LE after its byte order mark; UTF-8 with or without one (surrogate
// pairs written as two three-byte sequences, as some tools do, are joined);
// otherwise single-byte ANSI text.
std::string FormTextToUtf8(const std::string& bytes);

// The text with surrogate pairs in three-byte form joined; nullopt when it
// is not UTF-8 at all.
std::optional<std::string> NormalizedUtf8(const std::string& text);

}  // namespace pollenta::access
