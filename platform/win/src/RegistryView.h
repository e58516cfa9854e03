#pragma once
// Keys as the registry functions see them: a root and a path of names.
// HKEY_CLASSES_ROOT is no file of its own but the user's
// Software\Classes laid over the machine's: reads see both with the user's
// entries first and winning, writes go to whichever side already holds more
// of the key's path (the user's side on a tie, the machine's when neither).

#include "RegistryChange.h"
#include "RegistryNode.h"

#include <functional>
#include <string>
#include <vector>

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine, Users };

class RegistryView {
public:
    using Path = std::vector<std::string>;

    // One key seen through the view; both sides are null when it is missing.
    struct Key {
        const RegistryNode* user = nullptr;
        const RegistryNode* machine = nullptr;

        bool Exists() const { return user || machine; }
        const RegistryValue* FindValue(std::string_view name) const;
        std::vector<const RegistryValue*> Values() const;
        std::vector<const RegistryNode*> Subkeys() const;
        // The entry at a place of Values() or Subkeys() (null past the end),
        // without building the whole list when only one side holds the key.
        const RegistryValue* ValueAt(size_t index) const;
        const RegistryNode* SubkeyAt(size_t index) const;
    };

    static LONG Read(RegistryRoot root, const Path& path, const std::function<LONG(const Key& key)>& read);
    // The names of the files in the registry folder that a root is read
    // from: each file and its journal.
    static std::vector<std::string> FileNames(RegistryRoot root);

    // Changes the key at path on the side chosen for writing: plan adds the
    // changes to make, as changes of keyPath (the key's path in its file).
    // With create, missing keys along the path are made and plan gets a
    // null key when the key itself is new; without it a missing key gives
    // ERROR_FILE_NOT_FOUND.
    using Plan = std::function<LONG(const RegistryNode* key, const Path& keyPath, RegistryChanges& changes)>;
    static LONG Change(RegistryRoot root, const Path& path, bool create, const Plan& plan);

    // Plans changes of the key at path on every side that holds it (both
    // sides of HKEY_CLASSES_ROOT, so that a removal leaves nothing behind).
    using PlanEverywhere = std::function<void(const RegistryNode& key, const Path& keyPath, RegistryChanges& changes)>;
    static LONG ChangeEverywhere(RegistryRoot root, const Path& path, const PlanEverywhere& plan);

    // Writes the files of a root whole, with every change in them.
    static LONG Fold(RegistryRoot root);
};
