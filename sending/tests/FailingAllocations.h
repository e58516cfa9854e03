#pragma once
// While an object of this class lives, every operator new on this thread
// throws std::bad_alloc: the way to see what a member does when memory runs out.

class FailingAllocations {
public:
    FailingAllocations();
    ~FailingAllocations();
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;
};
