#include "KernelObject.h"

std::mutex& KernelObject::Lock()
{
    static std::mutex lock;
    return lock;
}

std::condition_variable& KernelObject::Changed()
{
    static std::condition_variable changed;
    return changed;
}
