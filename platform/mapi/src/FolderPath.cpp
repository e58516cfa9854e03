#include "FolderPath.h"

#include "mapi/MapiFlags.h"

#include <sstream>
#include <strings.h>

namespace pollenta::mapi {

namespace {

std::vector<std::string> PathNames(const std::string& path)
{
    std::vector<std::string> names;
    std::stringstream in(path);
    for (std::string name; std::getline(in, name, '\\');)
        if (!name.empty()) names.push_back(name);
    return names;
}

bool SameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

std::shared_ptr<CStoreFile> StoreNamed(const std::vector<CProfile::Store>& stores, const std::string& name)
{
    for (const CProfile::Store& entry : stores) {
        std::shared_ptr<CStoreFile> store = CStoreFile::Open(entry.path);
        if (SameName(store->DisplayName(), name) || SameName(entry.displayName, name)) return store;
    }
    return nullptr;
}

std::optional<LONGLONG> SubfolderNamed(CStoreFile& store, LONGLONG parent, const std::string& name)
{
    for (LONGLONG child : store.Children(parent, MAPI_FOLDER)) {
        CPropValue value;
        if (store.LoadProp(child, PROP_ID(PR_DISPLAY_NAME_A), value) && SameName(value.Text(), name)) return child;
    }
    return std::nullopt;
}

}  // namespace

std::optional<CFolderPath::Found> CFolderPath::Find(const std::vector<CProfile::Store>& stores,
                                                    const std::string& path)
{
    const std::vector<std::string> names = PathNames(path);
    if (names.empty()) return std::nullopt;
    Found found;
    found.store = StoreNamed(stores, names.front());
    if (!found.store) return std::nullopt;
    std::lock_guard lock(found.store->Mutex());
    found.folder = found.store->SpecialFolder(CStoreFile::Role::IpmSubtree);
    for (std::size_t i = 1; i < names.size(); ++i) {
        std::optional<LONGLONG> next = SubfolderNamed(*found.store, found.folder, names[i]);
        if (!next) return std::nullopt;
        found.folder = *next;
    }
    return found;
}

}  // namespace pollenta::mapi
