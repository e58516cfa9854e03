#include "DispatchNames.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <mutex>
#include <vector>

namespace pollenta::access {

namespace {

// Ids below this are left to the members with fixed ids (0 the default one).
constexpr DISPID kFirstId = 1000;

struct NameTable {
    std::mutex lock;
    std::map<std::string, DISPID> ids;  // by lower-case name
    std::vector<std::string> names;     // as first asked for
};

NameTable& Table()
{
    static NameTable table;
    return table;
}

}  // namespace

DISPID DispIdOfName(const std::string& name)
{
    std::string key = name;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
    NameTable& table = Table();
    std::lock_guard guard(table.lock);
    auto [entry, added] = table.ids.emplace(key, kFirstId + static_cast<DISPID>(table.names.size()));
    if (added)
        table.names.push_back(name);
    return entry->second;
}

std::optional<std::string> NameOfDispId(DISPID id)
{
    NameTable& table = Table();
    std::lock_guard guard(table.lock);
    if (id < kFirstId || id - kFirstId >= static_cast<DISPID>(table.names.size()))
        return std::nullopt;
    return table.names[id - kFirstId];
}

}  // namespace pollenta::access
