#include "CWEPropertyList.h"

#include "AnsiText.h"

#include <utility>

const CWEPropertyList::projectProperties& CWEPropertyList::Set(const std::string& name, Value value)
{
    if (projectProperties* entry = FindEntry(name)) {
        entry->value = std::move(value);
        return *entry;
    }
    return m_entries.emplace_back(projectProperties{name, std::move(value)});
}

const CWEPropertyList::projectProperties* CWEPropertyList::Find(const std::string& name) const
{
    for (const projectProperties& entry : m_entries)
        if (AnsiEqualNoCase(entry.name, name))
            return &entry;
    return nullptr;
}

CWEPropertyList::projectProperties* CWEPropertyList::FindEntry(const std::string& name)
{
    return const_cast<projectProperties*>(std::as_const(*this).Find(name));
}

LONG CWEPropertyList::GetNumber(const std::string& name)
{
    projectProperties* entry = FindEntry(name);
    if (!entry)
        return 0;
    if (const std::string* text = std::get_if<std::string>(&entry->value)) {
        LONG number = 0;
        if (!AnsiTextToNumber(*text, number))
            return 0;
        entry->value = number;
    }
    return std::get<LONG>(entry->value);
}

std::string CWEPropertyList::GetText(const std::string& name)
{
    projectProperties* entry = FindEntry(name);
    if (!entry)
        return {};
    if (const LONG* number = std::get_if<LONG>(&entry->value))
        entry->value = std::to_string(*number);
    return std::get<std::string>(entry->value);
}
