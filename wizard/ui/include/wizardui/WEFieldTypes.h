#pragma once
// The column types the fields grid offers, by the codes the project's
// field set uses, and the texts the grid shows for them. The texts come
// from the caller (the wizard's string table), so that the grid shows what
// the rest of the wizard shows.

#include <functional>
#include <string>

inline constexpr int WE_FIELD_NUMERIC = 1;   // INTEGER
inline constexpr int WE_FIELD_CHARACTER = 2; // VARCHAR(size): the only type with a size
inline constexpr int WE_FIELD_BLOB = 3;
inline constexpr int WE_FIELD_TEXT = 4;

using WEFieldTypeText = std::function<std::string(int type)>;
