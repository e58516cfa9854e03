#include "keytree/CZrKeyTree.h"

#include "LittleEndian.h"

#include <limits>

namespace {

using keytree::GetWord;
using keytree::PutWord;

constexpr std::size_t NodeRecordSize = 12;

}  // namespace

CZrKeyTree::~CZrKeyTree()
{
    RemoveAll();
}

CZrTreeNode* CZrKeyTree::Find(std::uint64_t key) const
{
    CZrTreeNode* node = Root();
    while (node) {
        int order = CompareKeys(key, node->key);
        if (order == 0)
            return node;
        node = order < 0 ? node->left : node->right;
    }
    return nullptr;
}

void CZrKeyTree::FreeKey(CZrTreeNode* node) {}

void CZrKeyTree::FreeValue(std::uintptr_t value) {}

bool CZrKeyTree::SetKey(CZrTreeNode* node, std::uint64_t key)
{
    node->key = key;
    return true;
}

bool CZrKeyTree::SetValue(std::uintptr_t& field, std::uintptr_t value)
{
    field = value;
    return true;
}

int CZrKeyTree::CompareKeys(std::uint64_t a, std::uint64_t b) const
{
    return a > b ? 1 : a == b ? 0 : -1;
}

bool CZrKeyTree::SaveNode(std::ostream& out, const CZrTreeNode* node)
{
    if (node->value > std::numeric_limits<std::uint32_t>::max())
        return false;
    char record[NodeRecordSize];
    PutWord(record, static_cast<std::uint32_t>(node->key));
    PutWord(record + 4, static_cast<std::uint32_t>(node->key >> 32));
    PutWord(record + 8, static_cast<std::uint32_t>(node->value));
    return static_cast<bool>(out.write(record, NodeRecordSize));
}

bool CZrKeyTree::LoadNode(std::istream& in)
{
    char record[NodeRecordSize];
    if (!in.read(record, NodeRecordSize))
        return false;
    std::uint64_t key = GetWord(record) | (static_cast<std::uint64_t>(GetWord(record + 4)) << 32);
    return Insert(key, GetWord(record + 8));
}
