#pragma once
// Handles of kernel objects: small numbers that stand for shared objects,
// so that a handle closed while another thread waits on it cannot leave
// that thread with a dangling object.

#include "KernelObject.h"

#include <memory>

class HandleTable {
public:
    static HANDLE Add(std::shared_ptr<KernelObject> object);
    // Null (with ERROR_INVALID_HANDLE as last error) for unknown handles.
    static std::shared_ptr<KernelObject> Find(HANDLE handle);
    static bool Close(HANDLE handle);
};
