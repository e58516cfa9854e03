#include "NameIndex.h"

#include "CaseFold.h"

std::optional<size_t> NameIndex::Find(std::string_view name) const
{
    auto found = m_positions.find(CaseFold::FoldKey(name));
    if (found == m_positions.end())
        return std::nullopt;
    return found->second;
}

void NameIndex::Add(std::string_view name, size_t position) { m_positions.emplace(CaseFold::FoldKey(name), position); }

size_t NameIndex::FindOrAdd(std::string_view name, size_t position)
{
    return m_positions.try_emplace(CaseFold::FoldKey(name), position).first->second;
}

void NameIndex::Remove(std::string_view name, size_t position)
{
    m_positions.erase(CaseFold::FoldKey(name));
    for (auto& entry : m_positions)
        if (entry.second > position)
            --entry.second;
}
