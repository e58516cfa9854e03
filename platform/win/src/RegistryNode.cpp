#include "RegistryNode.h"

#include "CaseFold.h"
#include "Utf8.h"

RegistryNode::RegistryNode(const RegistryNode& other)
    : m_name(other.m_name), m_values(other.m_values), m_valueIndex(other.m_valueIndex),
      m_subkeyIndex(other.m_subkeyIndex)
{
    m_subkeys.reserve(other.m_subkeys.size());
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
    const auto position = m_subkeyIndex.Find(name);
    return position ? m_subkeys[*position].get() : nullptr;
}

std::pair<RegistryNode*, bool> RegistryNode::AddSubkey(std::string_view name)
{
    if (RegistryNode* existing = FindSubkey(name))
        return {existing, false};
    m_subkeyIndex.Add(name, m_subkeys.size());
    m_subkeys.push_back(std::make_unique<RegistryNode>(std::string(name)));
    return {m_subkeys.back().get(), true};
}

bool RegistryNode::RemoveSubkey(std::string_view name)
{
    const auto position = m_subkeyIndex.Find(name);
    if (!position)
        return false;
    m_subkeyIndex.Remove(name, *position);
    m_subkeys.erase(m_subkeys.begin() + static_cast<std::ptrdiff_t>(*position));
    return true;
}

void RegistryNode::Clear()
{
    m_values.clear();
    m_subkeys.clear();
    m_valueIndex.Clear();
    m_subkeyIndex.Clear();
}

const RegistryValue* RegistryNode::FindValue(std::string_view name) const
{
    const auto position = m_valueIndex.Find(name);
    return position ? &m_values[*position] : nullptr;
}

void RegistryNode::SetValue(std::string_view name, DWORD type, std::vector<BYTE> data)
{
    if (const size_t position = m_valueIndex.FindOrAdd(name, m_values.size()); position < m_values.size()) {
        m_values[position].type = type;
        m_values[position].data = std::move(data);
        return;
    }
    m_values.push_back(RegistryValue{std::string(name), type, std::move(data)});
}

bool RegistryNode::RemoveValue(std::string_view name)
{
    const auto position = m_valueIndex.Find(name);
    if (!position)
        return false;
    m_valueIndex.Remove(name, *position);
    m_values.erase(m_values.begin() + static_cast<std::ptrdiff_t>(*position));
    return true;
}
