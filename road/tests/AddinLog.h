#pragma once
// The add-in's log files as a reader finds them: one record a line, the
// status letter ("E" for errors, "I" otherwise) and the text.

#include <filesystem>
#include <string>
#include <vector>

struct LogRecord {
    std::string status;
    std::string text;
};

std::vector<LogRecord> ReadAddinLog(const std::filesystem::path& folder);
// How many records begin with `start`.
std::size_t CountLogRecords(const std::vector<LogRecord>& log, const std::string& start);
