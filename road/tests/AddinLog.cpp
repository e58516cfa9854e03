#include "AddinLog.h"

#include <fstream>
#include <sstream>

namespace {

// time, profile, status, text.
std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    std::istringstream stream(line);
    for (std::string field; fields.size() < 3 && std::getline(stream, field, '\t');)
        fields.push_back(field);
    std::string rest;
    std::getline(stream, rest, '\0');
    fields.push_back(rest);
    return fields;
}

}  // namespace

std::vector<LogRecord> ReadAddinLog(const std::filesystem::path& folder)
{
    std::vector<LogRecord> records;
    if (!std::filesystem::exists(folder))
        return records;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        std::ifstream stream(file.path(), std::ios::binary);
        for (std::string line; std::getline(stream, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.empty() || line[0] == '#')
                continue;
            const std::vector<std::string> fields = Fields(line);
            if (fields.size() == 4)
                records.push_back({fields[2], fields[3]});
        }
    }
    return records;
}

std::size_t CountLogRecords(const std::vector<LogRecord>& log, const std::string& start)
{
    std::size_t count = 0;
    for (const LogRecord& record : log)
        count += record.text.compare(0, start.size(), start) == 0 ? 1 : 0;
    return count;
}
