#include "FailingAllocations.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool failing = false;

}  // namespace

FailingAllocations::FailingAllocations()
{
    failing = true;
}

FailingAllocations::~FailingAllocations()
{
    failing = false;
}

void* operator new(std::size_t size)
{
    if (failing)
        throw std::bad_alloc();
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}
