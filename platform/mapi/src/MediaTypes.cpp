#include "MediaTypes.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>

namespace pollenta::mapi {

namespace {

constexpr const char* kTablePath = "/etc/mime.types";

std::string Lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Each line is a type and its extensions; "#" starts a comment.
std::map<std::string, std::string> ReadTable()
{
    std::map<std::string, std::string> types;
    std::ifstream file(kTablePath);
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line.substr(0, line.find('#')));
        std::string type;
        std::string extension;
        if (!(words >> type))
            continue;
        while (words >> extension)
            types.emplace(Lowered(extension), Lowered(type));
    }
    return types;
}

}  // namespace

std::string MediaTypeOfFileName(const std::string& fileName)
{
    static const std::map<std::string, std::string> kTypes = ReadTable();
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || dot + 1 == fileName.size())
        return {};
    auto found = kTypes.find(Lowered(fileName.substr(dot + 1)));
    return found == kTypes.end() ? std::string() : found->second;
}

}  // namespace pollenta::mapi
