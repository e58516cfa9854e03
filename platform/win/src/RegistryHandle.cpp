#include "RegistryHandle.h"

#include "RegistryData.h"
#include "RegistryText.h"
#include "RegistryWatch.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <set>

namespace {

std::mutex g_handlesMutex;
std::set<HKEY> g_handles;
// Moves on at every close, so that a handle copied earlier is known to be
// still the same when its address comes again.
std::atomic<uint64_t> g_closes{0};

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

} // namespace

LONG RegistryHandle::Look(HKEY key, REGSAM needed, const HKEY__*& place)
{
    RegistryRoot root;
    if (IsPredefined(key, root)) {
        RegistryWatch::Instance().CatchUp();
        static const HKEY__ roots[] = {{RegistryRoot::ClassesRoot, {}, KEY_ALL_ACCESS},
                                       {RegistryRoot::CurrentUser, {}, KEY_ALL_ACCESS},
                                       {RegistryRoot::LocalMachine, {}, KEY_ALL_ACCESS},
                                       {RegistryRoot::Users, {}, KEY_ALL_ACCESS}};
        place = &roots[static_cast<int>(root)];
        return ERROR_SUCCESS;
    }
    struct Last {
        HKEY key = nullptr;
        uint64_t closes = 0;
        HKEY__ copy;
    };
    thread_local Last last;
    const uint64_t closes = g_closes.load(std::memory_order_acquire);
    if (last.key != key || last.closes != closes) {
        std::lock_guard guard(g_handlesMutex);
        if (!key || !g_handles.count(key))
            return static_cast<LONG>(ERROR_INVALID_HANDLE);
        last = {key, closes, *key};
    }
    place = &last.copy;
    return (place->access & needed) == needed ? ERROR_SUCCESS : static_cast<LONG>(ERROR_ACCESS_DENIED);
}

LONG RegistryHandle::Resolve(HKEY key, HKEY__& place)
{
    return ResolveFor(key, 0, place);
}

LONG RegistryHandle::ResolveFor(HKEY key, REGSAM needed, HKEY__& place)
{
    const HKEY__* found = nullptr;
    if (LONG error = Look(key, needed, found))
        return error;
    place = *found;
    return ERROR_SUCCESS;
}

bool RegistryHandle::Descend(RegistryView::Path& path, LPCSTR subKey)
{
    if (!subKey)
        return true;
    std::string_view rest(subKey);
    while (!rest.empty()) {
        size_t end = rest.find('\\');
        if (end != 0)
            path.push_back(RegistryData::StoredName(rest.substr(0, end)));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return path.size() <= RegistryNode::kMaxDepth &&
           std::all_of(path.begin(), path.end(), [](const std::string& name) {
               return RegistryNode::KeyNameFits(name) && RegistryText::HoldsName(name);
           });
}

bool RegistryHandle::IsRoot(HKEY key)
{
    RegistryRoot root;
    return IsPredefined(key, root);
}

HKEY RegistryHandle::Open(RegistryRoot root, RegistryView::Path path, REGSAM access)
{
    HKEY key = new HKEY__{root, std::move(path), access};
    std::lock_guard guard(g_handlesMutex);
    g_handles.insert(key);
    return key;
}

LONG RegistryHandle::Close(HKEY key)
{
    RegistryRoot root;
    if (IsPredefined(key, root))
        return ERROR_SUCCESS;
    {
        std::lock_guard guard(g_handlesMutex);
        if (!g_handles.erase(key))
            return static_cast<LONG>(ERROR_INVALID_HANDLE);
        g_closes.fetch_add(1, std::memory_order_acq_rel);
    }
    delete key;
    return ERROR_SUCCESS;
}

LONG RegistryHandle::Missing(const HKEY__& place)
{
    return place.path.empty() ? static_cast<LONG>(ERROR_FILE_NOT_FOUND) : static_cast<LONG>(ERROR_KEY_DELETED);
}
