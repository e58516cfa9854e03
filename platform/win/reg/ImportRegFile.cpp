#include "ImportRegFile.h"

#include "RegistryText.h"
#include "RegistryView.h"

#include "win/Registry.h"

#include <fstream>
#include <iterator>
#include <optional>

namespace {

struct NamedRoot {
    const char* name;
    RegistryRoot root;
};

constexpr NamedRoot kRoots[] = {{"HKEY_CURRENT_USER", RegistryRoot::CurrentUser},
                                {"HKEY_LOCAL_MACHINE", RegistryRoot::LocalMachine}};

// The root the file's first key names; one file holds the keys of one root.
std::optional<NamedRoot> RootOf(const std::string& text)
{
    const std::size_t open = text.find("\n[");
    if (open == std::string::npos)
        return std::nullopt;
    const std::size_t end = text.find_first_of("\\]", open + 2);
    const std::string name = text.substr(open + 2, end == std::string::npos ? end : end - open - 2);
    for (const NamedRoot& root : kRoots) {
        if (name == root.name)
            return root;
    }
    return std::nullopt;
}

// The changes that merge the file's tree into the registry: every key made
// where missing and every value set, written together as one change.
void PlanMerge(const RegistryNode& from, RegistryView::Path& path, RegistryChanges& changes)
{
    changes.push_back({RegistryChange::Kind::CreateKey, path, {}});
    for (const RegistryValue& value : from.Values())
        changes.push_back({RegistryChange::Kind::SetValue, path, value});
    for (const auto& subkey : from.Subkeys()) {
        path.push_back(subkey->Name());
        PlanMerge(*subkey, path, changes);
        path.pop_back();
    }
}

}  // namespace

LONG ImportRegFile(const std::string& path, std::string& problem)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        problem = "cannot be read";
        return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    }
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::optional<NamedRoot> root = RootOf(text);
    if (!root) {
        problem = "names no key of HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE";
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    }
    const RegistryText::ParseResult parsed = RegistryText::Parse(text, root->name);
    if (!parsed.root) {
        problem = "line " + std::to_string(parsed.errorLine) + ": " + parsed.error;
        return static_cast<LONG>(ERROR_INVALID_DATA);
    }
    return RegistryView::Change(root->root, {}, true,
                                [&](const RegistryNode*, const RegistryView::Path&, RegistryChanges& changes) {
                                    RegistryView::Path path;
                                    PlanMerge(*parsed.root, path, changes);
                                    return static_cast<LONG>(ERROR_SUCCESS);
                                });
}
