#pragma once
// A balanced tree of plain 64-bit keys (usually CalcStringCRC64 of a name)
// with pointer-sized values. Values above 32 bits make saving fail rather
// than lose their high half.

#include "keytree/CZrBalancedTree.h"

class CZrKeyTree : public CZrBalancedTree {
public:
    ~CZrKeyTree() override;

    CZrTreeNode* Find(std::uint64_t key) const;

protected:
    void FreeKey(CZrTreeNode* node) override;
    void FreeValue(std::uintptr_t value) override;
    bool SetKey(CZrTreeNode* node, std::uint64_t key) override;
    bool SetValue(std::uintptr_t& field, std::uintptr_t value) override;
    int CompareKeys(std::uint64_t a, std::uint64_t b) const override;
    bool SaveNode(std::ostream& out, const CZrTreeNode* node) override;
    bool LoadNode(std::istream& in) override;
};
