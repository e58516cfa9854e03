#pragma once
// A binary search tree that keeps itself weight-balanced: when the sizes of
// a subtree's two sides drift further apart than the tolerance, the subtree
// is rebuilt around its median. Keys are 64-bit; values are pointer-sized in
// memory (callers keep object pointers in them) and 32-bit in the saved form.
//
// Saved form, little-endian 32-bit words: the record's total length (header
// included), the load scratch size, then 12 bytes per node (key low word,
// key high word, value) in pre-order: a node, its right subtree, its left
// subtree. Loading inserts the nodes in that order without rebalancing, so a
// tree that is saved, loaded and saved again gives the same bytes.

#include "keytree/CZrStreamable.h"
#include "keytree/CZrTreeNode.h"

#include <cstdint>
#include <string>

class CZrBalancedTree : public CZrStreamable {
public:
    static constexpr std::int32_t DefaultTolerance = 15;

    CZrBalancedTree() = default;
    CZrBalancedTree(const CZrBalancedTree&) = delete;
    CZrBalancedTree& operator=(const CZrBalancedTree&) = delete;
    ~CZrBalancedTree() override;

    bool Save(std::ostream& out) override;
    bool Load(std::istream& in) override;

    // True when the pair is stored, as a new node or by replacing the value
    // of an existing key; false when no node could be made.
    bool Insert(std::uint64_t key, std::uintptr_t value);
    // A tolerance of 0 means unlimited; a negative one changes nothing.
    // Returns the previous tolerance, unlimited as 0.
    std::int32_t SetTolerance(std::int32_t tolerance);
    void RemoveAll();
    // The node at an in-order position (0 <= position < size) of a subtree.
    static CZrTreeNode* NodeAt(CZrTreeNode* subtree, std::uint32_t position);

    CZrTreeNode* Root() const { return m_pRoot; }
    std::uint32_t Count() const { return m_pRoot ? m_pRoot->Size() : 0; }

protected:
    virtual void FreeKey(CZrTreeNode* node) = 0;
    virtual void FreeValue(std::uintptr_t value) = 0;
    virtual bool SetKey(CZrTreeNode* node, std::uint64_t key) = 0;
    virtual bool SetValue(std::uintptr_t& field, std::uintptr_t value) = 0;
    virtual int CompareKeys(std::uint64_t a, std::uint64_t b) const = 0;
    virtual std::string KeyToText(std::uint64_t key) const;
    virtual bool SaveNode(std::ostream& out, const CZrTreeNode* node);
    virtual bool LoadNode(std::istream& in);

private:
    CZrTreeNode* NewNode(std::uint64_t key, std::uintptr_t value);
    void FixCountsUpward(CZrTreeNode* node);
    void Rebalance(CZrTreeNode* subtree);
    // The destructor frees without the hooks: the derived part is gone by
    // then, so a derived tree empties itself with RemoveAll in its own.
    void FreeNodes(bool callHooks);

    CZrTreeNode* m_pRoot = nullptr;
    std::int32_t m_nTolerance = DefaultTolerance;
};
