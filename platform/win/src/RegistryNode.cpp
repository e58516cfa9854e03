#include "RegistryNode.h"

#include "CaseFold.h"
#include "Utf8.h"

#include <algorithm>

RegistryNode::RegistryNode(const RegistryNode& other) : m_name(other.m_name), m_values(other.m_values)
{
    for (const auto& subkey : other.m_subkeys)
        m_subkeys.push_back(std::make_unique<RegistryNode>(*subkey));
}

bool RegistryNode::KeyNameFits(std::string_view name)
{
    size_t characters = 0;
    char32_t code;
    for (size_t pos = 0; pos < name.size(); ++characters)
        Utf8::Next(name, pos, code);
    return characters <= 255;
}

bool RegistryNode::SameName(std::string_view a, std::string_view b)
{
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (CaseFold::FoldNext(a, i) != CaseFold::FoldNext(b, j))
            return false;
    }
    return i == a.size() && j == b.size();
}

RegistryNode* RegistryNode::FindSubkey(std::string_view name) const
{
    for (const auto& subkey : m_subkeys)
        if (SameName(subkey->m_name, name))
            return subkey.get();
    return nullptr;
}

std::pair<RegistryNode*, bool> RegistryNode::AddSubkey(std::string_view name)
{
    if (RegistryNode* existing = FindSubkey(name))
        return {existing, false};
    m_subkeys.push_back(std::make_unique<RegistryNode>(std::string(name)));
    return {m_subkeys.back().get(), true};
}

bool RegistryNode::RemoveSubkey(std::string_view name)
{
    auto found = std::find_if(m_subkeys.begin(), m_subkeys.end(),
                              [&](const auto& subkey) { return SameName(subkey->m_name, name); });
    if (found == m_subkeys.end())
        return false;
    m_subkeys.erase(found);
    return true;
}

void RegistryNode::Clear()
{
    m_values.clear();
    m_subkeys.clear();
}

const RegistryValue* RegistryNode::FindValue(std::string_view name) const
{
    for (const auto& value : m_values)
        if (SameName(value.name, name))
            return &value;
    return nullptr;
}

void RegistryNode::SetValue(std::string_view name, DWORD type, std::vector<BYTE> data)
{
    for (auto& value : m_values) {
        if (SameName(value.name, name)) {
            value.type = type;
            value.data = std::move(data);
            return;
        }
    }
    m_values.push_back(RegistryValue{std::string(name), type, std::move(data)});
}

bool RegistryNode::RemoveValue(std::string_view name)
{
    auto found = std::find_if(m_values.begin(), m_values.end(), [&](const auto& value) { return SameName(value.name, name); });
    if (found == m_values.end())
        return false;
    m_values.erase(found);
    return true;
}
