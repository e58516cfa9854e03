#pragma once
// The META tags of a page as this system's serializer writes them
// ("<META ...>", upper-case tag name), found and replaced in its text.

#include <initializer_list>
#include <string>

// The first "<META ...>" tag whose lower-cased text holds every one of
// `needles`, and in `end` the position after it; npos when there is none.
std::size_t FindMeta(const std::string& text, std::initializer_list<const char*> needles, std::size_t& end);
// The text from its first tag on (what comes before, such as a byte-order
// mark, is dropped).
std::string FromFirstTag(const std::string& text);
