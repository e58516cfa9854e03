#include "ReportFile.h"

#include "win/CaseFolding.h"
#include "win/Locale.h"

#include <filesystem>
#include <fstream>

namespace {

std::string Field(const std::string& text, const std::string& separator)
{
    if (text.find(separator) == std::string::npos && text.find_first_of("\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

std::string ReportSeparatorFor(const std::string& path)
{
    const std::string extension = std::filesystem::path(path).extension().string();
    if (!EqualsNoCase(extension, ".csv"))
        return "\t";
    char separator[10] = {};
    if (GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_SLIST, separator, sizeof separator) > 0 && separator[0])
        return separator;
    return ";";
}

bool WriteReportFile(const std::string& path, const std::vector<std::vector<std::string>>& lines,
                     const std::string& separator)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    for (const auto& fields : lines) {
        for (std::size_t i = 0; i < fields.size(); ++i)
            out << (i ? separator : "") << Field(fields[i], separator);
        out << "\r\n";
    }
    return static_cast<bool>(out);
}
