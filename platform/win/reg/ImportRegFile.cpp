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

void Merge(RegistryNode& into, const RegistryNode& from)
{
    for (const RegistryValue& value : from.Values())
        into.SetValue(value.name, value.type, value.data);
    for (const auto& subkey : from.Subkeys())
        Merge(*into.AddSubkey(subkey->Name()).first, *subkey);
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
    return RegistryView::Change(root->root, {}, true, [&](RegistryNode& node, bool) {
        Merge(node, *parsed.root);
        return static_cast<LONG>(ERROR_SUCCESS);
    });
}
