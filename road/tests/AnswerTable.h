#pragma once
// A project's answer table read straight from its SQLite file: each record
// as column name to text; a NULL reads as kNull.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

inline constexpr const char* kNull = "(null)";

using AnswerRecord = std::map<std::string, std::string>;

std::vector<AnswerRecord> ReadAnswerTable(const std::filesystem::path& database, const std::string& table);
