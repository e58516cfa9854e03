#pragma once
// One node of a CZrBalancedTree, owned by the tree.

#include <cstdint>

struct CZrTreeNode {
    std::uint64_t key;
    std::uintptr_t value;
    CZrTreeNode* parent;
    CZrTreeNode* left;
    std::uint32_t leftCount;
    CZrTreeNode* right;
    std::uint32_t rightCount;

    std::uint32_t Size() const { return leftCount + rightCount + 1; }
};
