#include "win/Registry.h"

#include "RegistryView.h"
#include "win/CodePage.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <set>

// An open key: where it lies and what it was opened for. The key itself is
// looked up again on every call, since another process may have changed or
// removed it meanwhile.
struct HKEY__ {
    RegistryRoot root;
    RegistryView::Path path;
    REGSAM access;
};

namespace {

std::mutex g_handlesMutex;
std::set<HKEY> g_handles;

// The files hold UTF-8; callers speak the ANSI code page.
std::string Stored(std::string_view ansi) { return Recode(ansi, CP_ACP, CP_UTF8); }
std::string Shown(std::string_view utf8) { return Recode(utf8, CP_UTF8, CP_ACP); }
std::string StoredName(LPCSTR name) { return name ? Stored(name) : std::string(); }

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

bool IsPredefined(HKEY key, RegistryRoot& root)
{
    if (key == HKEY_CLASSES_ROOT)
        root = RegistryRoot::ClassesRoot;
    else if (key == HKEY_CURRENT_USER)
        root = RegistryRoot::CurrentUser;
    else if (key == HKEY_LOCAL_MACHINE)
        root = RegistryRoot::LocalMachine;
    else if (key == HKEY_USERS)
        root = RegistryRoot::Users;
    else
        return false;
    return true;
}

// Resolves a handle into a copy of what it names, or an error.
LONG Resolve(HKEY key, HKEY__& place)
{
    RegistryRoot root;
    if (IsPredefined(key, root)) {
        place = HKEY__{root, {}, KEY_ALL_ACCESS};
        return ERROR_SUCCESS;
    }
    std::lock_guard guard(g_handlesMutex);
    if (!key || !g_handles.count(key))
        return static_cast<LONG>(ERROR_INVALID_HANDLE);
    place = *key;
    return ERROR_SUCCESS;
}

LONG ResolveFor(HKEY key, REGSAM needed, HKEY__& place)
{
    if (LONG error = Resolve(key, place))
        return error;
    return (place.access & needed) == needed ? ERROR_SUCCESS : static_cast<LONG>(ERROR_ACCESS_DENIED);
}

// Adds the names of subKey to path; false when the result breaks the
// registry's limits.
bool Append(RegistryView::Path& path, LPCSTR subKey)
{
    if (!subKey)
        return true;
    std::string_view rest(subKey);
    while (!rest.empty()) {
        size_t end = rest.find('\\');
        if (end != 0)
            path.push_back(Stored(rest.substr(0, end)));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return path.size() <= RegistryNode::kMaxDepth &&
           std::all_of(path.begin(), path.end(), [](const std::string& name) { return RegistryNode::KeyNameFits(name); });
}

HKEY NewHandle(RegistryRoot root, RegistryView::Path path, REGSAM access)
{
    HKEY key = new HKEY__{root, std::move(path), access};
    std::lock_guard guard(g_handlesMutex);
    g_handles.insert(key);
    return key;
}

// An open key that has disappeared reports that it was deleted.
LONG MissingKey(const HKEY__& place)
{
    return place.path.empty() ? static_cast<LONG>(ERROR_FILE_NOT_FOUND) : static_cast<LONG>(ERROR_KEY_DELETED);
}

// Hands stored data to a caller's buffer with the Windows size rules.
LONG CopyData(const RegistryValue& value, LPDWORD type, LPBYTE data, LPDWORD dataSize)
{
    if (data && !dataSize)
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    if (type)
        *type = value.type;
    std::string text;
    if (IsText(value.type))
        text = Shown(std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size()));
    const BYTE* bytes = IsText(value.type) ? reinterpret_cast<const BYTE*>(text.data()) : value.data.data();
    const auto size = static_cast<DWORD>(IsText(value.type) ? text.size() : value.data.size());
    if (data && *dataSize < size) {
        *dataSize = size;
        return static_cast<LONG>(ERROR_MORE_DATA);
    }
    if (data && size)
        std::memcpy(data, bytes, size);
    if (dataSize)
        *dataSize = size;
    return ERROR_SUCCESS;
}

// Hands a name to a buffer whose size in characters counts the NUL.
LONG CopyName(const std::string& storedName, LPSTR buffer, LPDWORD size)
{
    const std::string name = Shown(storedName);
    if (!buffer || !size)
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    if (*size < name.size() + 1)
        return static_cast<LONG>(ERROR_MORE_DATA);
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *size = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

// Strings are kept with exactly one terminating NUL (two for multi-strings)
// whatever the caller counted, so every reader gets a terminated string.
std::vector<BYTE> StoredData(DWORD type, const BYTE* data, DWORD dataSize)
{
    std::vector<BYTE> stored(data, data + dataSize);
    if (IsText(type)) {
        const std::string text = Stored(std::string_view(reinterpret_cast<const char*>(data), dataSize));
        stored.assign(text.begin(), text.end());
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        auto nul = std::find(stored.begin(), stored.end(), 0);
        stored.erase(nul, stored.end());
        stored.push_back(0);
    } else if (type == REG_MULTI_SZ) {
        while (stored.size() >= 2 && stored[stored.size() - 1] == 0 && stored[stored.size() - 2] == 0)
            stored.pop_back();
        if (!stored.empty() && stored.back() == 0)
            stored.pop_back();
        stored.push_back(0);
        stored.push_back(0);
        if (stored.size() == 2)
            stored.pop_back();
    }
    return stored;
}

} // namespace

LONG RegCreateKeyEx(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM desired, const SECURITY_ATTRIBUTES*,
                    PHKEY result, LPDWORD disposition)
{
    if (!result)
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    HKEY__ place;
    if (LONG error = ResolveFor(key, KEY_CREATE_SUB_KEY, place))
        return error;
    if (!Append(place.path, subKey))
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    bool created = false;
    LONG error = RegistryView::Change(place.root, place.path, true, [&](RegistryNode&, bool made) {
        created = made;
        return static_cast<LONG>(ERROR_SUCCESS);
    });
    if (error)
        return error;
    *result = NewHandle(place.root, place.path, desired);
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD, REGSAM desired, PHKEY result)
{
    if (!result)
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    HKEY__ place;
    if (LONG error = Resolve(key, place))
        return error;
    if (!Append(place.path, subKey))
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    LONG error = RegistryView::Read(place.root, place.path, [](const RegistryView::Key& found) {
        return found.Exists() ? ERROR_SUCCESS : static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    });
    if (error)
        return error;
    *result = NewHandle(place.root, place.path, desired);
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    RegistryRoot root;
    if (IsPredefined(key, root))
        return ERROR_SUCCESS;
    {
        std::lock_guard guard(g_handlesMutex);
        if (!g_handles.erase(key))
            return static_cast<LONG>(ERROR_INVALID_HANDLE);
    }
    delete key;
    return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY key, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD dataSize)
{
    HKEY__ place;
    if (LONG error = ResolveFor(key, KEY_QUERY_VALUE, place))
        return error;
    return RegistryView::Read(place.root, place.path, [&](const RegistryView::Key& found) {
        if (!found.Exists())
            return MissingKey(place);
        const RegistryValue* value = found.FindValue(StoredName(valueName));
        return value ? CopyData(*value, type, data, dataSize) : static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    });
}

LONG RegQueryValue(HKEY key, LPCSTR subKey, LPSTR data, PLONG dataSize)
{
    HKEY__ place;
    if (LONG error = ResolveFor(key, KEY_QUERY_VALUE, place))
        return error;
    if (!Append(place.path, subKey))
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    return RegistryView::Read(place.root, place.path, [&](const RegistryView::Key& found) -> LONG {
        if (!found.Exists())
            return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
        const RegistryValue* value = found.FindValue("");
        // A key without a default value reads as the empty string.
        RegistryValue empty{"", REG_SZ, {0}};
        if (!value)
            value = &empty;
        if (value->type != REG_SZ)
            return static_cast<LONG>(ERROR_INVALID_DATA);
        DWORD size = dataSize ? static_cast<DWORD>(std::max<LONG>(*dataSize, 0)) : 0;
        LONG error = CopyData(*value, nullptr, reinterpret_cast<LPBYTE>(data), dataSize ? &size : nullptr);
        if (dataSize)
            *dataSize = static_cast<LONG>(size);
        return error;
    });
}

LONG RegSetValueEx(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize)
{
    if (!data && dataSize)
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    HKEY__ place;
    if (LONG error = ResolveFor(key, KEY_SET_VALUE, place))
        return error;
    std::vector<BYTE> stored = StoredData(type, data, dataSize);
    LONG error = RegistryView::Change(place.root, place.path, false, [&](RegistryNode& node, bool) {
        node.SetValue(StoredName(valueName), type, std::move(stored));
        return static_cast<LONG>(ERROR_SUCCESS);
    });
    return error == static_cast<LONG>(ERROR_FILE_NOT_FOUND) ? MissingKey(place) : error;
}

LONG RegDeleteValue(HKEY key, LPCSTR valueName)
{
    HKEY__ place;
    if (LONG error = ResolveFor(key, KEY_SET_VALUE, place))
        return error;
    bool removed = false;
    LONG error = RegistryView::ChangeEverywhere(place.root, place.path, [&](RegistryNode& node) {
        removed = node.RemoveValue(StoredName(valueName)) || removed;
        return static_cast<LONG>(ERROR_SUCCESS);
    });
    if (error == static_cast<LONG>(ERROR_FILE_NOT_FOUND))
        return MissingKey(place);
    return error ? error : removed ? ERROR_SUCCESS : static_cast<LONG>(ERROR_FILE_NOT_FOUND);
}

LONG RegEnumKeyEx(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD, LPSTR keyClass, LPDWORD classSize,
                  FILETIME* lastWriteTime)
{
    HKEY__ place;
    if (LONG error = ResolveFor(key, KEY_ENUMERATE_SUB_KEYS, place))
        return error;
    return RegistryView::Read(place.root, place.path, [&](const RegistryView::Key& found) -> LONG {
        if (!found.Exists())
            return MissingKey(place);
        const auto subkeys = found.Subkeys();
        if (index >= subkeys.size())
            return static_cast<LONG>(ERROR_NO_MORE_ITEMS);
        if (LONG error = CopyName(subkeys[index]->Name(), name, nameSize))
            return error;
        if (keyClass && classSize && *classSize > 0)
            keyClass[0] = '\0';
        if (classSize)
            *classSize = 0;
        if (lastWriteTime)
            *lastWriteTime = FILETIME{0, 0};
        return ERROR_SUCCESS;
    });
}

LONG RegEnumValue(HKEY key, DWORD index, LPSTR valueName, LPDWORD valueNameSize, LPDWORD, LPDWORD type, LPBYTE data,
                  LPDWORD dataSize)
{
    HKEY__ place;
    if (LONG error = ResolveFor(key, KEY_QUERY_VALUE, place))
        return error;
    return RegistryView::Read(place.root, place.path, [&](const RegistryView::Key& found) -> LONG {
        if (!found.Exists())
            return MissingKey(place);
        const auto values = found.Values();
        if (index >= values.size())
            return static_cast<LONG>(ERROR_NO_MORE_ITEMS);
        if (LONG error = CopyName(values[index]->name, valueName, valueNameSize))
            return error;
        return CopyData(*values[index], type, data, dataSize);
    });
}

LONG RegQueryInfoKey(HKEY key, LPSTR keyClass, LPDWORD classSize, LPDWORD, LPDWORD subKeys, LPDWORD maxSubKeyLength,
                     LPDWORD maxClassLength, LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                     LPDWORD securityDescriptorSize, FILETIME* lastWriteTime)
{
    HKEY__ place;
    if (LONG error = ResolveFor(key, KEY_QUERY_VALUE, place))
        return error;
    return RegistryView::Read(place.root, place.path, [&](const RegistryView::Key& found) -> LONG {
        if (!found.Exists())
            return MissingKey(place);
        const auto subkeyList = found.Subkeys();
        const auto valueList = found.Values();
        size_t longestSubkey = 0, longestName = 0, largestData = 0;
        for (const RegistryNode* subkey : subkeyList)
            longestSubkey = std::max(longestSubkey, subkey->Name().size());
        for (const RegistryValue* value : valueList) {
            longestName = std::max(longestName, value->name.size());
            largestData = std::max(largestData, value->data.size());
        }
        if (keyClass && classSize && *classSize > 0)
            keyClass[0] = '\0';
        if (classSize)
            *classSize = 0;
        if (subKeys)
            *subKeys = static_cast<DWORD>(subkeyList.size());
        if (maxSubKeyLength)
            *maxSubKeyLength = static_cast<DWORD>(longestSubkey);
        if (maxClassLength)
            *maxClassLength = 0;
        if (values)
            *values = static_cast<DWORD>(valueList.size());
        if (maxValueNameLength)
            *maxValueNameLength = static_cast<DWORD>(longestName);
        if (maxValueLength)
            *maxValueLength = static_cast<DWORD>(largestData);
        if (securityDescriptorSize)
            *securityDescriptorSize = 0;
        if (lastWriteTime)
            *lastWriteTime = FILETIME{0, 0};
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteKey(HKEY key, LPCSTR subKey)
{
    if (!subKey)
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    HKEY__ place;
    if (LONG error = Resolve(key, place))
        return error;
    if (!Append(place.path, subKey))
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    if (place.path.empty())
        return static_cast<LONG>(ERROR_ACCESS_DENIED);
    const std::string leaf = place.path.back();
    RegistryView::Path parent(place.path.begin(), place.path.end() - 1);
    // Every side must hold a leaf before any side changes.
    LONG error = RegistryView::Read(place.root, place.path, [](const RegistryView::Key& found) -> LONG {
        if (!found.Exists())
            return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
        return found.Subkeys().empty() ? ERROR_SUCCESS : static_cast<LONG>(ERROR_ACCESS_DENIED);
    });
    if (error)
        return error;
    return RegistryView::ChangeEverywhere(place.root, parent, [&](RegistryNode& node) {
        node.RemoveSubkey(leaf);
        return static_cast<LONG>(ERROR_SUCCESS);
    });
}

LONG RegDeleteTree(HKEY key, LPCSTR subKey)
{
    HKEY__ place;
    if (LONG error = Resolve(key, place))
        return error;
    const size_t depth = place.path.size();
    if (!Append(place.path, subKey))
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    if (place.path.size() == depth) {
        LONG error = RegistryView::ChangeEverywhere(place.root, place.path, [](RegistryNode& node) {
            node.Clear();
            return static_cast<LONG>(ERROR_SUCCESS);
        });
        return error == static_cast<LONG>(ERROR_FILE_NOT_FOUND) ? MissingKey(place) : error;
    }
    const std::string leaf = place.path.back();
    RegistryView::Path parent(place.path.begin(), place.path.end() - 1);
    bool removed = false;
    LONG error = RegistryView::ChangeEverywhere(place.root, parent, [&](RegistryNode& node) {
        removed = node.RemoveSubkey(leaf) || removed;
        return static_cast<LONG>(ERROR_SUCCESS);
    });
    return error ? error : removed ? ERROR_SUCCESS : static_cast<LONG>(ERROR_FILE_NOT_FOUND);
}
