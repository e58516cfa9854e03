#include "logs/ReadLogDate.h"

#include "com/OleDate.h"
#include "win/CodePage.h"
#include "win/Time.h"

#include <cmath>
#include <fstream>

namespace {

constexpr char kDatePrefix[] = "#Date:";
constexpr LCID kUserDefaultLocale = 0x400;

std::string Trimmed(const std::string& text)
{
    const char* blanks = " \t\r\n";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

DATE LocalDay(const FILETIME& creationTime)
{
    FILETIME local{};
    SYSTEMTIME time{};
    DATE date = 0;
    if (FileTimeToLocalFileTime(&creationTime, &local) && FileTimeToSystemTime(&local, &time))
        SystemTimeToVariantTime(&time, &date);
    return date;
}

} // namespace

bool ReadLogDate(const std::string& path, const FILETIME& creationTime, CWELogItem& item)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    item.m_date = LocalDay(creationTime);
    item.m_bDateValid = true;
    std::string line;
    while (std::getline(file, line) && !line.empty() && line[0] == '#') {
        if (line.compare(0, sizeof kDatePrefix - 1, kDatePrefix) != 0)
            continue;
        std::string text = Trimmed(line.substr(sizeof kDatePrefix - 1));
        if (text.empty())
            return true;
        std::u16string wide = ToWide(text);
        DATE date = 0;
        item.m_bDateValid = SUCCEEDED(VarDateFromStr(wide.c_str(), kUserDefaultLocale, VAR_DATEVALUEONLY, &date));
        item.m_date = item.m_bDateValid ? std::floor(date) : 0;
        return true;
    }
    return true;
}
