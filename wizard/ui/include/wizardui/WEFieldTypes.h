#pragma once
// The column types the fields grid offers, by the codes of the wizard's
// field set (CWEField::m_nType); their texts are the engine's
// (FieldTypeText), so that the grid shows what the rest of the wizard shows.

inline constexpr int WE_FIELD_NUMERIC = 1;   // INTEGER
inline constexpr int WE_FIELD_CHARACTER = 2; // VARCHAR(size): the only type with a size
inline constexpr int WE_FIELD_BLOB = 3;
inline constexpr int WE_FIELD_TEXT = 4;
