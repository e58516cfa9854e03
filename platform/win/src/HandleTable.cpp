#include "HandleTable.h"

#include "win/Errors.h"

#include <map>

namespace {

std::mutex g_mutex;
std::map<std::uintptr_t, std::shared_ptr<KernelObject>> g_objects;
std::uintptr_t g_next = 0x100;

} // namespace

HANDLE HandleTable::Add(std::shared_ptr<KernelObject> object)
{
    std::lock_guard guard(g_mutex);
    const std::uintptr_t number = g_next;
    g_next += 4;
    g_objects.emplace(number, std::move(object));
    return reinterpret_cast<HANDLE>(number);
}

std::shared_ptr<KernelObject> HandleTable::Find(HANDLE handle)
{
    std::lock_guard guard(g_mutex);
    auto found = g_objects.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == g_objects.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return found->second;
}

bool HandleTable::Close(HANDLE handle)
{
    std::shared_ptr<KernelObject> closing;
    std::lock_guard guard(g_mutex);
    auto found = g_objects.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == g_objects.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    closing = std::move(found->second);
    g_objects.erase(found);
    return true;
}
