#include "ResourceDirectory.h"

#include <mutex>
#include <vector>

namespace {

struct Registered {
    const ResourceTables* owner;
    HMODULE module;
    std::span<const StringResource> strings;
    std::span<const MessageResource> messages;
    ResourceScope scope;
};

// Tables register and unregister from static objects of other modules, so
// the directory itself must outlive every static destructor.
std::mutex& Mutex()
{
    static auto* mutex = new std::mutex;
    return *mutex;
}

std::vector<Registered>& Tables()
{
    static auto* tables = new std::vector<Registered>;
    return *tables;
}

// LANGID 0x0400 asks for the user's default language.
constexpr DWORD kUserDefault = 0x0400;

template <typename Entry, typename Matches>
const Entry* Choose(const std::vector<const Entry*>& candidates, Matches matches)
{
    for (const Entry* entry : candidates)
        if (matches(entry->language))
            return entry;
    return nullptr;
}

} // namespace

void ResourceDirectory::Add(const ResourceTables* owner, HMODULE module, std::span<const StringResource> strings,
                            std::span<const MessageResource> messages, ResourceScope scope)
{
    std::lock_guard guard(Mutex());
    Tables().push_back(Registered{owner, module, strings, messages, scope});
}

void ResourceDirectory::Remove(const ResourceTables* owner)
{
    std::lock_guard guard(Mutex());
    std::erase_if(Tables(), [&](const Registered& table) { return table.owner == owner; });
}

const char* ResourceDirectory::FindString(HMODULE module, UINT id)
{
    std::lock_guard guard(Mutex());
    std::vector<const StringResource*> candidates;
    for (const auto& table : Tables())
        if (table.module == module)
            for (const auto& entry : table.strings)
                if (entry.id == id)
                    candidates.push_back(&entry);
    if (candidates.empty())
        return nullptr;
    const LANGID preferred = GetUserDefaultUILanguage();
    const StringResource* chosen = Choose(candidates, [&](LANGID language) { return language == preferred; });
    if (!chosen)
        chosen = Choose(candidates, [](LANGID language) { return language == 0; });
    return (chosen ? chosen : candidates.front())->text;
}

ResourceDirectory::Lookup ResourceDirectory::FindMessage(HMODULE module, bool system, DWORD id, DWORD language,
                                                         const char*& text)
{
    std::lock_guard guard(Mutex());
    std::vector<const MessageResource*> candidates;
    for (const auto& table : Tables())
        if (system ? table.scope == ResourceScope::System : table.module == module)
            for (const auto& entry : table.messages)
                if (entry.id == id)
                    candidates.push_back(&entry);
    if (candidates.empty())
        return Lookup::NoMessage;
    const LANGID preferred = GetUserDefaultUILanguage();
    const MessageResource* chosen = nullptr;
    if (language == 0) {
        // Any language will do, the neutral and the user's first.
        chosen = Choose(candidates, [](LANGID entry) { return entry == 0; });
        if (!chosen)
            chosen = Choose(candidates, [&](LANGID entry) { return entry == preferred; });
        if (!chosen)
            chosen = candidates.front();
    } else {
        const LANGID wanted = language == kUserDefault ? preferred : static_cast<LANGID>(language);
        chosen = Choose(candidates, [&](LANGID entry) { return entry == wanted; });
        if (!chosen)
            chosen = Choose(candidates, [](LANGID entry) { return entry == 0; });
    }
    if (!chosen)
        return Lookup::NoLanguage;
    text = chosen->text;
    return Lookup::Found;
}
