#include "win/Registry.h"
#include "win/RegistryGroup.h"

#include "RegistryData.h"
#include "RegistryFile.h"
#include "RegistryHandle.h"
#include "RegistryWatch.h"
#include "RegistryNotify.h"
#include "RegistryText.h"

#include <algorithm>
#include <utility>

namespace {

// Runs `read` on the key behind a handle that grants `access`; a key deleted
// under the handle answers as a missing one does.
template <class Read>
LONG ReadOpenKey(HKEY key, REGSAM access, Read read)
{
    const HKEY__* place = nullptr;
    if (LONG error = RegistryHandle::Look(key, access, place))
        return error;
    return RegistryView::Read(place->root, place->path, [&](const RegistryView::Key& found) -> LONG {
        return found.Exists() ? read(found) : RegistryHandle::Missing(*place);
    });
}

// Keys here have no class and no write time.
void ClearClassAndWriteTime(LPSTR keyClass, LPDWORD classSize, FILETIME* lastWriteTime)
{
    if (keyClass && classSize && *classSize > 0)
        keyClass[0] = '\0';
    if (classSize)
        *classSize = 0;
    if (lastWriteTime)
        *lastWriteTime = FILETIME{0, 0};
}

// Removes the subkey leaf wherever it is; removed learns whether any was.
RegistryView::PlanEverywhere DeleteSubkeyPlan(const std::string& leaf, bool* removed)
{
    return [&leaf, removed](const RegistryNode& node, const RegistryView::Path& keyPath, RegistryChanges& changes) {
        if (!node.FindSubkey(leaf))
            return;
        if (removed)
            *removed = true;
        changes.push_back({RegistryChange::Kind::DeleteSubkey, keyPath, {leaf, 0, {}}});
    };
}

}  // namespace

LONG RegCreateKeyEx(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM desired, const SECURITY_ATTRIBUTES*,
                    PHKEY result, LPDWORD disposition)
{
    if (!result)
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    // Edits by other programs made before the key is opened are seen
    // through it; later ones at the next open of a key. (A root handle
    // takes them in as it is resolved.)
    if (!RegistryHandle::IsRoot(key))
        RegistryWatch::Instance().CatchUp();
    HKEY__ place;
    if (LONG error = RegistryHandle::ResolveFor(key, KEY_CREATE_SUB_KEY, place))
        return error;
    if (!RegistryHandle::Descend(place.path, subKey))
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    // An existing key is opened without rewriting the file.
    bool exists = false;
    LONG error = RegistryView::Read(place.root, place.path, [&](const RegistryView::Key& found) {
        exists = found.Exists();
        return static_cast<LONG>(ERROR_SUCCESS);
    });
    bool created = false;
    if (!error && !exists) {
        error = RegistryView::Change(place.root, place.path, true,
                                     [&](const RegistryNode* found, const RegistryView::Path&, RegistryChanges&) {
                                         created = !found;
                                         return static_cast<LONG>(ERROR_SUCCESS);
                                     });
    }
    if (error)
        return error;
    *result = RegistryHandle::Open(place.root, place.path, desired);
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD, REGSAM desired, PHKEY result)
{
    if (!result)
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    // Edits by other programs made before the key is opened are seen
    // through it; later ones at the next open of a key. (A root handle
    // takes them in as it is resolved.)
    if (!RegistryHandle::IsRoot(key))
        RegistryWatch::Instance().CatchUp();
    HKEY__ place;
    if (LONG error = RegistryHandle::Resolve(key, place))
        return error;
    if (!RegistryHandle::Descend(place.path, subKey))
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    LONG error = RegistryView::Read(place.root, place.path, [](const RegistryView::Key& found) {
        return found.Exists() ? ERROR_SUCCESS : static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    });
    if (error)
        return error;
    *result = RegistryHandle::Open(place.root, place.path, desired);
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    if (LONG error = RegistryHandle::Close(key))
        return error;
    if (RegistryNotify* notify = RegistryNotify::Existing())
        notify->KeyClosed(key);
    return ERROR_SUCCESS;
}

LONG RegNotifyChangeKeyValue(HKEY key, BOOL watchSubtree, DWORD notifyFilter, HANDLE event, BOOL asynchronous)
{
    constexpr DWORD kChanges = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_ATTRIBUTES | REG_NOTIFY_CHANGE_LAST_SET |
                               REG_NOTIFY_CHANGE_SECURITY;
    if ((notifyFilter & kChanges) == 0 || (notifyFilter & ~(kChanges | REG_NOTIFY_THREAD_AGNOSTIC)) != 0)
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    // Waiting inside the call would need a thread of the caller's to give
    // up until some other process writes: nothing here waits that way.
    if (!asynchronous)
        return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
    HKEY__ place;
    if (LONG error = RegistryHandle::ResolveFor(key, KEY_NOTIFY, place))
        return error;
    return RegistryNotify::Instance().Register(key, place, watchSubtree != FALSE, event);
}

LONG RegQueryValueEx(HKEY key, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD dataSize)
{
    return ReadOpenKey(key, KEY_QUERY_VALUE, [&](const RegistryView::Key& found) {
        const RegistryValue* value = found.FindValue(RegistryData::StoredName(valueName));
        return value ? RegistryData::CopyData(*value, type, data, dataSize) : static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    });
}

LONG RegQueryValue(HKEY key, LPCSTR subKey, LPSTR data, PLONG dataSize)
{
    HKEY__ place;
    if (LONG error = RegistryHandle::ResolveFor(key, KEY_QUERY_VALUE, place))
        return error;
    if (!RegistryHandle::Descend(place.path, subKey))
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
        LONG error = RegistryData::CopyData(*value, nullptr, reinterpret_cast<LPBYTE>(data), dataSize ? &size : nullptr);
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
    if (LONG error = RegistryHandle::ResolveFor(key, KEY_SET_VALUE, place))
        return error;
    const std::string name = RegistryData::StoredName(valueName);
    if (!RegistryText::HoldsName(name))
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    std::vector<BYTE> stored = RegistryData::StoredData(type, data, dataSize);
    LONG error = RegistryView::Change(place.root, place.path, false,
                                      [&](const RegistryNode*, const RegistryView::Path& keyPath, RegistryChanges& changes) {
                                          changes.push_back({RegistryChange::Kind::SetValue, keyPath, {name, type, stored}});
                                          return static_cast<LONG>(ERROR_SUCCESS);
                                      });
    return error == static_cast<LONG>(ERROR_FILE_NOT_FOUND) ? RegistryHandle::Missing(place) : error;
}

LONG RegDeleteValue(HKEY key, LPCSTR valueName)
{
    HKEY__ place;
    if (LONG error = RegistryHandle::ResolveFor(key, KEY_SET_VALUE, place))
        return error;
    bool removed = false;
    const std::string name = RegistryData::StoredName(valueName);
    LONG error = RegistryView::ChangeEverywhere(
        place.root, place.path, [&](const RegistryNode& node, const RegistryView::Path& keyPath, RegistryChanges& changes) {
            if (node.FindValue(name)) {
                removed = true;
                changes.push_back({RegistryChange::Kind::DeleteValue, keyPath, {name, 0, {}}});
            }
        });
    if (error == static_cast<LONG>(ERROR_FILE_NOT_FOUND))
        return RegistryHandle::Missing(place);
    return error ? error : removed ? ERROR_SUCCESS : static_cast<LONG>(ERROR_FILE_NOT_FOUND);
}

LONG RegEnumKeyEx(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD, LPSTR keyClass, LPDWORD classSize,
                  FILETIME* lastWriteTime)
{
    return ReadOpenKey(key, KEY_ENUMERATE_SUB_KEYS, [&](const RegistryView::Key& found) -> LONG {
        const RegistryNode* subkey = found.SubkeyAt(index);
        if (!subkey)
            return static_cast<LONG>(ERROR_NO_MORE_ITEMS);
        if (LONG error = RegistryData::CopyName(subkey->Name(), name, nameSize))
            return error;
        ClearClassAndWriteTime(keyClass, classSize, lastWriteTime);
        return ERROR_SUCCESS;
    });
}

LONG RegEnumValue(HKEY key, DWORD index, LPSTR valueName, LPDWORD valueNameSize, LPDWORD, LPDWORD type, LPBYTE data,
                  LPDWORD dataSize)
{
    return ReadOpenKey(key, KEY_QUERY_VALUE, [&](const RegistryView::Key& found) -> LONG {
        const RegistryValue* value = found.ValueAt(index);
        if (!value)
            return static_cast<LONG>(ERROR_NO_MORE_ITEMS);
        if (LONG error = RegistryData::CopyName(value->name, valueName, valueNameSize))
            return error;
        return RegistryData::CopyData(*value, type, data, dataSize);
    });
}

LONG RegQueryInfoKey(HKEY key, LPSTR keyClass, LPDWORD classSize, LPDWORD, LPDWORD subKeys, LPDWORD maxSubKeyLength,
                     LPDWORD maxClassLength, LPDWORD values, LPDWORD maxValueNameLength, LPDWORD maxValueLength,
                     LPDWORD securityDescriptorSize, FILETIME* lastWriteTime)
{
    return ReadOpenKey(key, KEY_QUERY_VALUE, [&](const RegistryView::Key& found) -> LONG {
        const auto subkeyList = found.Subkeys();
        const auto valueList = found.Values();
        size_t longestSubkey = 0, longestName = 0, largestData = 0;
        for (const RegistryNode* subkey : subkeyList)
            longestSubkey = std::max(longestSubkey, subkey->Name().size());
        for (const RegistryValue* value : valueList) {
            longestName = std::max(longestName, value->name.size());
            largestData = std::max(largestData, value->data.size());
        }
        ClearClassAndWriteTime(keyClass, classSize, lastWriteTime);
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
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteKey(HKEY key, LPCSTR subKey)
{
    if (!subKey)
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    HKEY__ place;
    if (LONG error = RegistryHandle::Resolve(key, place))
        return error;
    if (!RegistryHandle::Descend(place.path, subKey))
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
    return RegistryView::ChangeEverywhere(place.root, parent, DeleteSubkeyPlan(leaf, nullptr));
}

LONG RegDeleteTree(HKEY key, LPCSTR subKey)
{
    HKEY__ place;
    if (LONG error = RegistryHandle::Resolve(key, place))
        return error;
    const size_t depth = place.path.size();
    if (!RegistryHandle::Descend(place.path, subKey))
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    if (place.path.size() == depth) {
        LONG error = RegistryView::ChangeEverywhere(
            place.root, place.path, [](const RegistryNode&, const RegistryView::Path& keyPath, RegistryChanges& changes) {
                changes.push_back({RegistryChange::Kind::ClearKey, keyPath, {}});
            });
        return error == static_cast<LONG>(ERROR_FILE_NOT_FOUND) ? RegistryHandle::Missing(place) : error;
    }
    const std::string leaf = place.path.back();
    RegistryView::Path parent(place.path.begin(), place.path.end() - 1);
    bool removed = false;
    LONG error = RegistryView::ChangeEverywhere(place.root, parent, DeleteSubkeyPlan(leaf, &removed));
    return error ? error : removed ? ERROR_SUCCESS : static_cast<LONG>(ERROR_FILE_NOT_FOUND);
}

LONG RegFlushKey(HKEY key)
{
    HKEY__ place;
    if (LONG error = RegistryHandle::Resolve(key, place))
        return error;
    return RegistryView::Fold(place.root);
}

RegistryChangeGroup::RegistryChangeGroup() { RegistryFile::BeginGroup(); }

RegistryChangeGroup::~RegistryChangeGroup() { End(); }

LONG RegistryChangeGroup::End()
{
    if (!std::exchange(m_open, false))
        return ERROR_SUCCESS;
    return RegistryFile::EndGroup();
}
