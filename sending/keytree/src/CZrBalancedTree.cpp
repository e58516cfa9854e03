#include "keytree/CZrBalancedTree.h"

#include "LittleEndian.h"

#include <cstdio>
#include <limits>
#include <new>
#include <vector>

namespace {

using keytree::GetWord;
using keytree::PutWord;

constexpr std::int32_t UnlimitedTolerance = std::numeric_limits<std::int32_t>::max();
constexpr std::streamoff HeaderSize = 8;

std::uint32_t Imbalance(const CZrTreeNode* node)
{
    return node->leftCount > node->rightCount ? node->leftCount - node->rightCount
                                              : node->rightCount - node->leftCount;
}

}  // namespace

CZrBalancedTree::~CZrBalancedTree()
{
    FreeNodes(false);
}

std::string CZrBalancedTree::KeyToText(std::uint64_t key) const
{
    char text[16];
    std::snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(key & 0xFFFFFFFFu));
    return text;
}

bool CZrBalancedTree::SaveNode(std::ostream& out, const CZrTreeNode* node)
{
    return false;
}

bool CZrBalancedTree::LoadNode(std::istream& in)
{
    return false;
}

CZrTreeNode* CZrBalancedTree::NewNode(std::uint64_t key, std::uintptr_t value)
{
    auto* node = new (std::nothrow) CZrTreeNode{};
    if (!node)
        return nullptr;
    if (!SetKey(node, key)) {
        delete node;
        return nullptr;
    }
    if (!SetValue(node->value, value)) {
        FreeKey(node);
        delete node;
        return nullptr;
    }
    return node;
}

bool CZrBalancedTree::Insert(std::uint64_t key, std::uintptr_t value)
{
    if (!m_pRoot) {
        m_pRoot = NewNode(key, value);
        return m_pRoot != nullptr;
    }
    CZrTreeNode* node = m_pRoot;
    for (;;) {
        int order = CompareKeys(key, node->key);
        if (order == 0) {
            if (node->value)
                FreeValue(node->value);
            return SetValue(node->value, value);
        }
        CZrTreeNode*& link = order < 0 ? node->left : node->right;
        if (link) {
            node = link;
            continue;
        }
        CZrTreeNode* child = NewNode(key, value);
        if (!child)
            return false;
        link = child;
        (order < 0 ? node->leftCount : node->rightCount) = 1;
        child->parent = node;
        FixCountsUpward(node);
        return true;
    }
}

void CZrBalancedTree::FixCountsUpward(CZrTreeNode* node)
{
    CZrTreeNode* unbalanced = nullptr;
    for (; node->parent; node = node->parent) {
        if (Imbalance(node) > static_cast<std::uint32_t>(m_nTolerance))
            unbalanced = node;
        CZrTreeNode* parent = node->parent;
        (parent->left == node ? parent->leftCount : parent->rightCount) = node->Size();
    }
    if (Imbalance(node) > static_cast<std::uint32_t>(m_nTolerance))
        Rebalance(node);
    else if (unbalanced)
        Rebalance(unbalanced);
}

// Rebuilds the subtree so that every subtree within it is rooted at its
// median (the node at in-order position size / 2).
void CZrBalancedTree::Rebalance(CZrTreeNode* subtree)
{
    if (subtree->Size() <= 2)
        return;
    std::vector<CZrTreeNode*> ordered;
    ordered.reserve(subtree->Size());
    std::vector<CZrTreeNode*> stack;
    for (CZrTreeNode* node = subtree; node || !stack.empty();) {
        for (; node; node = node->left)
            stack.push_back(node);
        node = stack.back();
        stack.pop_back();
        ordered.push_back(node);
        node = node->right;
    }

    struct Range {
        std::uint32_t first;
        std::uint32_t end;
        CZrTreeNode* parent;
        CZrTreeNode** link;
    };
    CZrTreeNode* parent = subtree->parent;
    CZrTreeNode** top = !parent ? &m_pRoot : parent->left == subtree ? &parent->left : &parent->right;
    std::vector<Range> work{{0, static_cast<std::uint32_t>(ordered.size()), parent, top}};
    while (!work.empty()) {
        Range range = work.back();
        work.pop_back();
        if (range.first == range.end) {
            *range.link = nullptr;
            continue;
        }
        std::uint32_t middle = range.first + (range.end - range.first) / 2;
        CZrTreeNode* node = ordered[middle];
        node->parent = range.parent;
        node->leftCount = middle - range.first;
        node->rightCount = range.end - middle - 1;
        *range.link = node;
        work.push_back({range.first, middle, node, &node->left});
        work.push_back({middle + 1, range.end, node, &node->right});
    }
}

CZrTreeNode* CZrBalancedTree::NodeAt(CZrTreeNode* subtree, std::uint32_t position)
{
    for (CZrTreeNode* node = subtree; node;) {
        if (position < node->leftCount) {
            node = node->left;
        } else if (position == node->leftCount) {
            return node;
        } else {
            position -= node->leftCount + 1;
            node = node->right;
        }
    }
    return nullptr;
}

std::int32_t CZrBalancedTree::SetTolerance(std::int32_t tolerance)
{
    std::int32_t previous = m_nTolerance == UnlimitedTolerance ? 0 : m_nTolerance;
    if (tolerance >= 0)
        m_nTolerance = tolerance == 0 ? UnlimitedTolerance : tolerance;
    return previous;
}

void CZrBalancedTree::RemoveAll()
{
    FreeNodes(true);
}

// Walks down to a leaf, frees it and climbs back through the parent links,
// so that no stack is needed however deep the tree is.
void CZrBalancedTree::FreeNodes(bool callHooks)
{
    CZrTreeNode* node = m_pRoot;
    while (node) {
        if (node->left) {
            node = node->left;
            continue;
        }
        if (node->right) {
            node = node->right;
            continue;
        }
        CZrTreeNode* parent = node->parent;
        if (parent)
            (parent->left == node ? parent->left : parent->right) = nullptr;
        if (callHooks && node->key)
            FreeKey(node);
        if (callHooks && node->value)
            FreeValue(node->value);
        delete node;
        node = parent;
    }
    m_pRoot = nullptr;
}

bool CZrBalancedTree::Save(std::ostream& out)
{
    if (!out)
        return false;
    std::streampos start = out.tellp();
    if (start == std::streampos(-1))
        return false;
    char header[HeaderSize] = {};
    if (!out.write(header, HeaderSize))
        return false;
    if (!m_pRoot)
        return false;
    std::vector<const CZrTreeNode*> stack{m_pRoot};
    while (!stack.empty()) {
        const CZrTreeNode* node = stack.back();
        stack.pop_back();
        if (!SaveNode(out, node))
            return false;
        if (node->left)
            stack.push_back(node->left);
        if (node->right)
            stack.push_back(node->right);
    }
    std::streampos end = out.tellp();
    std::streamoff length = end - start;
    if (length > std::numeric_limits<std::uint32_t>::max())
        return false;
    PutWord(header, static_cast<std::uint32_t>(length));
    out.seekp(start);
    out.write(header, HeaderSize);
    out.seekp(end);
    return static_cast<bool>(out);
}

bool CZrBalancedTree::Load(std::istream& in)
{
    RemoveAll();
    std::int32_t tolerance = m_nTolerance;
    m_nTolerance = UnlimitedTolerance;
    std::streampos start = in.tellg();
    char header[HeaderSize];
    bool ok = start != std::streampos(-1) && in.read(header, HeaderSize);
    if (ok) {
        std::streampos end = start + std::streamoff(GetWord(header));
        while (ok && in.tellg() < end)
            ok = LoadNode(in);
    }
    m_nTolerance = tolerance;
    return ok;
}
