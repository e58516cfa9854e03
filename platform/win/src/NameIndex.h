#pragma once
// Positions of names in a list, found without regard to case in constant
// time, so that a key with many entries is read and searched in time that
// grows with its size, not with its square.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

class NameIndex {
public:
    std::optional<size_t> Find(std::string_view name) const;
    // The name must not be in the index yet.
    void Add(std::string_view name, size_t position);
    // The position of the name, which is added at position when it is not
    // in the index yet; folds the name once for both.
    size_t FindOrAdd(std::string_view name, size_t position);
    // Drops the name at position; the names after it move up by one, as
    // they do in the list.
    void Remove(std::string_view name, size_t position);
    void Clear() { m_positions.clear(); }

private:
    std::unordered_map<std::string, size_t> m_positions;
};
