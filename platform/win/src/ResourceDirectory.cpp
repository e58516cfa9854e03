#include "ResourceDirectory.h"

#include "win/Module.h"

#include <climits>
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

// Resources register and unregister from static objects of other modules, so
// the directory itself must outlive every static destructor.
struct RegisteredVersion {
    const VersionResource* version;
    HMODULE module;
};

struct Directory {
    std::mutex mutex;
    std::vector<Registered> entries;
    std::vector<RegisteredVersion> versions;
};

Directory& TheDirectory()
{
    static auto* directory = new Directory;
    return *directory;
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
    std::lock_guard guard(TheDirectory().mutex);
    TheDirectory().entries.push_back(Registered{owner, module, strings, messages, scope});
}

void ResourceDirectory::Remove(const ResourceTables* owner)
{
    std::lock_guard guard(TheDirectory().mutex);
    std::erase_if(TheDirectory().entries, [&](const Registered& table) { return table.owner == owner; });
}

const char* ResourceDirectory::FindString(HMODULE module, UINT id)
{
    std::lock_guard guard(TheDirectory().mutex);
    std::vector<const StringResource*> candidates;
    for (const auto& table : TheDirectory().entries)
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
    std::lock_guard guard(TheDirectory().mutex);
    std::vector<const MessageResource*> candidates;
    for (const auto& table : TheDirectory().entries)
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

void ResourceDirectory::AddVersion(const VersionResource* version)
{
    HMODULE module = nullptr;
    GetModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                      reinterpret_cast<LPCSTR>(version), &module);
    std::lock_guard guard(TheDirectory().mutex);
    TheDirectory().versions.push_back(RegisteredVersion{version, module});
}

void ResourceDirectory::RemoveVersion(const VersionResource* version)
{
    std::lock_guard guard(TheDirectory().mutex);
    std::erase_if(TheDirectory().versions, [&](const RegisteredVersion& entry) { return entry.version == version; });
}

void ResourceDirectory::UseVersion(const std::string& path, const std::function<void(const VersionResource* version)>& use)
{
    std::lock_guard guard(TheDirectory().mutex);
    for (const auto& entry : TheDirectory().versions) {
        char modulePath[PATH_MAX];
        const DWORD length = GetModuleFileName(entry.module, modulePath, sizeof modulePath);
        if (length > 0 && length < sizeof modulePath && path == modulePath) {
            use(entry.version);
            return;
        }
    }
    use(nullptr);
}
