#pragma once
// A key tree whose values are objects it owns: replacing or removing a
// value deletes the object.

#include "keytree/CZrKeyTree.h"

#include <functional>

template <class T>
class OwningKeyTree : public CZrKeyTree {
public:
    ~OwningKeyTree() override { RemoveAll(); }

    // Takes the object; false (and the object deleted) when no node could be made.
    bool Put(std::uint64_t key, T* object)
    {
        if (Insert(key, reinterpret_cast<std::uintptr_t>(object)))
            return true;
        delete object;
        return false;
    }
    T* Get(std::uint64_t key) const
    {
        CZrTreeNode* node = Find(key);
        return node ? reinterpret_cast<T*>(node->value) : nullptr;
    }
    // In ascending key order.
    void ForEach(const std::function<void(std::uint64_t key, T& object)>& visit) const
    {
        for (std::uint32_t i = 0; i < Count(); ++i) {
            CZrTreeNode* node = NodeAt(Root(), i);
            visit(node->key, *reinterpret_cast<T*>(node->value));
        }
    }

protected:
    void FreeValue(std::uintptr_t value) override { delete reinterpret_cast<T*>(value); }
};
