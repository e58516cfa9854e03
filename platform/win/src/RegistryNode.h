#pragma once
// One key of the registry tree in memory: its values and subkeys in the
// order they were first written, found by name without regard to case.

#include "NameIndex.h"
#include "win/Types.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct RegistryValue {
    std::string name; // empty: the key's default value
    DWORD type = 0;
    std::vector<BYTE> data;
};

class RegistryNode {
public:
    // Windows' limit: 512 levels below a root.
    static constexpr size_t kMaxDepth = 512;
    // Windows' limit: 255 characters in a key name.
    static bool KeyNameFits(std::string_view name);

    explicit RegistryNode(std::string name) : m_name(std::move(name)) {}
    RegistryNode(const RegistryNode& other);
    RegistryNode& operator=(const RegistryNode&) = delete;

    const std::string& Name() const { return m_name; }

    RegistryNode* FindSubkey(std::string_view name) const;
    // Finds or appends the subkey; the bool tells whether it was created.
    std::pair<RegistryNode*, bool> AddSubkey(std::string_view name);
    bool RemoveSubkey(std::string_view name);
    void Clear();
    const std::vector<std::unique_ptr<RegistryNode>>& Subkeys() const { return m_subkeys; }

    const RegistryValue* FindValue(std::string_view name) const;
    // Replaces the data of an existing value (its name keeps its case) or
    // appends a new one.
    void SetValue(std::string_view name, DWORD type, std::vector<BYTE> data);
    bool RemoveValue(std::string_view name);
    const std::vector<RegistryValue>& Values() const { return m_values; }

    // Names compare as Windows compares them: case-insensitively, for
    // non-ASCII letters too.
    static bool SameName(std::string_view a, std::string_view b);

private:
    std::string m_name;
    std::vector<RegistryValue> m_values;
    std::vector<std::unique_ptr<RegistryNode>> m_subkeys;
    NameIndex m_valueIndex;
    NameIndex m_subkeyIndex;
};
