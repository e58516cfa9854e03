#pragma once
// A table or column name as SQL text, always quoted, so that no name from a
// page or typed by the user can end the name early: "[name]", or, for a
// name holding "]", "\"name\"" with every '"' written twice.
//
//     SqlIdentifier("Survey Results") == "[Survey Results]"
//     SqlIdentifier("a]);DROP TABLE x;--") == "\"a]);DROP TABLE x;--\""

#include <string>

std::string SqlIdentifier(const std::string& name);
// A table name as typed, without the brackets the user may have put around it.
std::string UnbracketedName(const std::string& name);
