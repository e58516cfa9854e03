#include "RegistryView.h"

#include "RegistryFile.h"
#include "win/Errors.h"

#include <map>
#include <memory>
#include <mutex>

namespace {

struct Side {
    RegistryRoot file;
    RegistryView::Path path;
};

const char* FileRootName(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::CurrentUser:
        return "HKEY_CURRENT_USER";
    case RegistryRoot::LocalMachine:
        return "HKEY_LOCAL_MACHINE";
    default:
        return "HKEY_USERS";
    }
}

// The registry folder may change between calls (tests point it elsewhere),
// so files are kept per path. The file of each root last asked for on this
// thread is found again without building its path.
RegistryFile& FileOf(RegistryRoot root)
{
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<RegistryFile>> files;
    struct Last {
        std::string folder;
        RegistryFile* file = nullptr;
    };
    thread_local Last lastOfRoot[4];
    thread_local std::string folder;
    RegistryFile::Folder(folder);
    Last& last = lastOfRoot[static_cast<int>(root)];
    if (last.file && last.folder == folder)
        return *last.file;
    const std::string name = FileRootName(root);
    const std::string path = folder + "/" + name + ".reg";
    std::lock_guard guard(mutex);
    auto& file = files[path];
    if (!file)
        file = std::make_unique<RegistryFile>(path, name);
    last = {folder, file.get()};
    return *file;
}

RegistryView::Path ClassesPath(const RegistryView::Path& path)
{
    RegistryView::Path full{"Software", "Classes"};
    full.insert(full.end(), path.begin(), path.end());
    return full;
}

std::vector<Side> SidesOf(RegistryRoot root, const RegistryView::Path& path)
{
    if (root != RegistryRoot::ClassesRoot)
        return {{root, path}};
    return {{RegistryRoot::CurrentUser, ClassesPath(path)}, {RegistryRoot::LocalMachine, ClassesPath(path)}};
}

const RegistryNode* Walk(const RegistryNode& root, const RegistryView::Path& path, size_t* depth = nullptr)
{
    const RegistryNode* node = &root;
    size_t reached = 0;
    for (const auto& name : path) {
        const RegistryNode* next = node->FindSubkey(name);
        if (!next) {
            node = nullptr;
            break;
        }
        node = next;
        ++reached;
    }
    if (depth)
        *depth = reached;
    return node;
}

// How many names of the path each side already holds.
LONG HeldDepth(const Side& side, size_t& depth)
{
    return FileOf(side.file).Read([&](const RegistryNode& root) { Walk(root, side.path, &depth); });
}

const RegistryValue* AddressOf(const RegistryValue& value) { return &value; }
const RegistryNode* AddressOf(const std::unique_ptr<RegistryNode>& subkey) { return subkey.get(); }

// The entry at index of the user's list followed by the machine's entries
// that the user's side does not hide.
template <class List, class Hidden>
auto MergedAt(const List* user, const List* machine, size_t index, Hidden hidden) -> decltype(AddressOf((*user)[0]))
{
    const size_t userCount = user ? user->size() : 0;
    if (index < userCount)
        return AddressOf((*user)[index]);
    index -= userCount;
    if (!machine)
        return nullptr;
    if (!user)
        return index < machine->size() ? AddressOf((*machine)[index]) : nullptr;
    for (const auto& entry : *machine) {
        if (hidden(entry))
            continue;
        if (index == 0)
            return AddressOf(entry);
        --index;
    }
    return nullptr;
}

} // namespace

const RegistryValue* RegistryView::Key::ValueAt(size_t index) const
{
    return MergedAt(user ? &user->Values() : nullptr, machine ? &machine->Values() : nullptr, index,
                    [&](const RegistryValue& value) { return user->FindValue(value.name) != nullptr; });
}

const RegistryNode* RegistryView::Key::SubkeyAt(size_t index) const
{
    return MergedAt(user ? &user->Subkeys() : nullptr, machine ? &machine->Subkeys() : nullptr, index,
                    [&](const auto& subkey) { return user->FindSubkey(subkey->Name()) != nullptr; });
}

const RegistryValue* RegistryView::Key::FindValue(std::string_view name) const
{
    const RegistryValue* value = user ? user->FindValue(name) : nullptr;
    return value || !machine ? value : machine->FindValue(name);
}

std::vector<const RegistryValue*> RegistryView::Key::Values() const
{
    std::vector<const RegistryValue*> values;
    if (user)
        for (const auto& value : user->Values())
            values.push_back(&value);
    if (machine)
        for (const auto& value : machine->Values())
            if (!user || !user->FindValue(value.name))
                values.push_back(&value);
    return values;
}

std::vector<const RegistryNode*> RegistryView::Key::Subkeys() const
{
    std::vector<const RegistryNode*> subkeys;
    if (user)
        for (const auto& subkey : user->Subkeys())
            subkeys.push_back(subkey.get());
    if (machine)
        for (const auto& subkey : machine->Subkeys())
            if (!user || !user->FindSubkey(subkey->Name()))
                subkeys.push_back(subkey.get());
    return subkeys;
}

std::vector<std::string> RegistryView::FileNames(RegistryRoot root)
{
    std::vector<std::string> names;
    for (const Side& side : SidesOf(root, {})) {
        names.push_back(std::string(FileRootName(side.file)) + ".reg");
        names.push_back(names.back() + ".journal");
    }
    return names;
}

LONG RegistryView::Read(RegistryRoot root, const Path& path, const std::function<LONG(const Key& key)>& read)
{
    Key key;
    LONG result = ERROR_SUCCESS;
    if (root != RegistryRoot::ClassesRoot) {
        LONG error = FileOf(root).ReadKey(path, [&](const RegistryNode* found) {
            key.user = found;
            result = read(key);
        });
        return error ? error : result;
    }
    const std::vector<Side> sides = SidesOf(root, path);
    LONG error = FileOf(sides[0].file).Read([&](const RegistryNode& user) {
        key.user = Walk(user, sides[0].path);
        // Both files stay locked in memory while the caller reads; the order
        // is always user before machine.
        LONG second = FileOf(sides[1].file).Read([&](const RegistryNode& machine) {
            key.machine = Walk(machine, sides[1].path);
            result = read(key);
        });
        if (second)
            result = second;
    });
    return error ? error : result;
}

LONG RegistryView::Change(RegistryRoot root, const Path& path, bool create, const Plan& plan)
{
    std::vector<Side> sides = SidesOf(root, path);
    Side side = sides[0];
    if (sides.size() == 2) {
        size_t userDepth = 0;
        size_t machineDepth = 0;
        if (LONG error = HeldDepth(sides[0], userDepth))
            return error;
        if (LONG error = HeldDepth(sides[1], machineDepth))
            return error;
        if (!create && userDepth < sides[0].path.size() && machineDepth < sides[1].path.size())
            return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
        bool userSide = userDepth > 2 && userDepth >= machineDepth;
        side = userSide ? sides[0] : sides[1];
    }
    return FileOf(side.file).Change([&](const RegistryNode& fileRoot, RegistryChanges& changes) -> LONG {
        const RegistryNode* key = Walk(fileRoot, side.path);
        if (!key && !create)
            return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
        if (!key)
            changes.push_back({RegistryChange::Kind::CreateKey, side.path, {}});
        return plan(key, side.path, changes);
    });
}

LONG RegistryView::ChangeEverywhere(RegistryRoot root, const Path& path, const PlanEverywhere& plan)
{
    bool found = false;
    for (const Side& side : SidesOf(root, path)) {
        size_t depth = 0;
        if (LONG error = HeldDepth(side, depth))
            return error;
        if (depth < side.path.size())
            continue;
        found = true;
        LONG error = FileOf(side.file).Change([&](const RegistryNode& fileRoot, RegistryChanges& changes) -> LONG {
            const RegistryNode* key = Walk(fileRoot, side.path);
            if (!key)
                return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
            plan(*key, side.path, changes);
            return ERROR_SUCCESS;
        });
        if (error)
            return error;
    }
    return found ? ERROR_SUCCESS : static_cast<LONG>(ERROR_FILE_NOT_FOUND);
}

LONG RegistryView::Fold(RegistryRoot root)
{
    for (const Side& side : SidesOf(root, {}))
        if (LONG error = FileOf(side.file).Fold())
            return error;
    return ERROR_SUCCESS;
}
