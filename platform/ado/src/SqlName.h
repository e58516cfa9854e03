#pragma once

#include <string>

namespace pollenta::ado {

// An identifier as SQL text: in double quotes, inner quotes doubled. Every
// table and column name reaches SQL this way; values are always bound.
std::string QuoteIdentifier(const std::string& name);

// The table name that a record source names: "[Answers]", "\"Answers\"",
// "`Answers`" and "Answers" all name Answers (inner closing marks doubled).
std::string SourceTableName(const std::string& source);

}  // namespace pollenta::ado
