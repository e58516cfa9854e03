#pragma once
// Reading and changing one picture property in the text of a STYLE
// attribute, leaving every other character of it as written.

#include <string>
#include <string_view>

namespace pollenta::html {

// The value of `longhand` (e.g. "background-image"), else the url( ) token
// of `shorthand` (e.g. "background"); "" with neither.
std::string ReadPictureProperty(std::string_view style, std::string_view longhand, std::string_view shorthand);
// The style text with that value replaced, or with a `longhand` declaration
// added when there was none.
std::string WritePictureProperty(std::string_view style, std::string_view longhand, std::string_view shorthand,
                                 std::string_view value);

}  // namespace pollenta::html
