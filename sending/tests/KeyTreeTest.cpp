#include "keytree/CZrKeyTree.h"
#include "keytree/CalcStringCRC64.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <vector>

namespace {

// Checks every invariant of the tree and returns its height.
std::uint32_t CheckNode(const CZrTreeNode* node, const CZrTreeNode* parent)
{
    if (!node)
        return 0;
    EXPECT_EQ(node->parent, parent);
    std::uint32_t leftSize = node->left ? node->left->Size() : 0;
    std::uint32_t rightSize = node->right ? node->right->Size() : 0;
    EXPECT_EQ(node->leftCount, leftSize);
    EXPECT_EQ(node->rightCount, rightSize);
    if (node->left) {
        EXPECT_LT(node->left->key, node->key);
    }
    if (node->right) {
        EXPECT_GT(node->right->key, node->key);
    }
    return 1 + std::max(CheckNode(node->left, node), CheckNode(node->right, node));
}

std::vector<std::uint64_t> InOrderKeys(const CZrKeyTree& tree)
{
    std::vector<std::uint64_t> keys;
    for (std::uint32_t i = 0; i < tree.Count(); ++i)
        keys.push_back(CZrBalancedTree::NodeAt(tree.Root(), i)->key);
    return keys;
}

std::string Saved(CZrKeyTree& tree)
{
    std::stringstream out;
    tree.Save(out);
    return out.str();
}

}  // namespace

TEST(CalcStringCRC64, KnownValues)
{
    EXPECT_EQ(CalcStringCRC64("123456789"), 0x46A5A9388A5BEFFEULL);
    EXPECT_EQ(CalcStringCRC64(""), 0u);
    EXPECT_EQ(CalcStringCRC64(nullptr), 0u);
    EXPECT_NE(CalcStringCRC64("a@example.com"), CalcStringCRC64("A@example.com"));
}

TEST(CZrKeyTree, AscendingInsertsStayBalanced)
{
    CZrKeyTree tree;
    for (std::uint64_t key = 1; key <= 100; ++key)
        ASSERT_TRUE(tree.Insert(key, key * 10));
    std::vector<std::uint64_t> expected(100);
    for (std::uint64_t i = 0; i < 100; ++i)
        expected[i] = i + 1;
    EXPECT_EQ(InOrderKeys(tree), expected);
    EXPECT_LE(CheckNode(tree.Root(), nullptr), 20u);
    EXPECT_EQ(tree.Find(42)->value, 420u);
    EXPECT_EQ(tree.Find(101), nullptr);
}

TEST(CZrKeyTree, RandomInsertsKeepInvariantsAndLogarithmicHeight)
{
    CZrKeyTree tree;
    std::mt19937_64 random(7);
    std::vector<std::uint64_t> keys;
    for (int i = 0; i < 20000; ++i) {
        std::uint64_t key = random();
        keys.push_back(key);
        ASSERT_TRUE(tree.Insert(key, i));
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    EXPECT_EQ(InOrderKeys(tree), keys);
    EXPECT_LE(CheckNode(tree.Root(), nullptr), 40u);
    for (std::uint64_t key : keys)
        ASSERT_NE(tree.Find(key), nullptr);
}

TEST(CZrKeyTree, ExistingKeyReplacesValue)
{
    CZrKeyTree tree;
    tree.Insert(5, 1);
    tree.Insert(7, 2);
    EXPECT_TRUE(tree.Insert(5, 3));
    EXPECT_EQ(tree.Count(), 2u);
    EXPECT_EQ(tree.Find(5)->value, 3u);
}

TEST(CZrKeyTree, HighWordIsComparedFirst)
{
    CZrKeyTree tree;
    tree.Insert(0x0000000100000000ULL, 1);
    tree.Insert(0x00000000FFFFFFFFULL, 2);
    EXPECT_EQ(InOrderKeys(tree), (std::vector<std::uint64_t>{0x00000000FFFFFFFFULL, 0x0000000100000000ULL}));
}

TEST(CZrKeyTree, ToleranceSettings)
{
    CZrKeyTree tree;
    EXPECT_EQ(tree.SetTolerance(0), 15);
    EXPECT_EQ(tree.SetTolerance(15), 0);
    EXPECT_EQ(tree.SetTolerance(-1), 15);
    EXPECT_EQ(tree.SetTolerance(4), 15);
    EXPECT_EQ(tree.SetTolerance(-1), 4);
}

TEST(CZrKeyTree, UnlimitedToleranceNeverRebuilds)
{
    CZrKeyTree tree;
    tree.SetTolerance(0);
    for (std::uint64_t key = 1; key <= 50; ++key)
        tree.Insert(key, 0);
    EXPECT_EQ(CheckNode(tree.Root(), nullptr), 50u);
}

TEST(CZrKeyTree, SaveOfEmptyTreeWritesZeroHeaderAndFails)
{
    CZrKeyTree tree;
    std::stringstream stream;
    EXPECT_FALSE(tree.Save(stream));
    EXPECT_EQ(stream.str(), std::string(8, '\0'));
    CZrKeyTree loaded;
    loaded.Insert(1, 1);
    EXPECT_TRUE(loaded.Load(stream));
    EXPECT_EQ(loaded.Count(), 0u);
}

TEST(CZrKeyTree, OnePairSavesAsTwentyBytes)
{
    CZrKeyTree tree;
    tree.Insert(0x1122334455667788ULL, 0xAABBCCDD);
    std::string bytes = Saved(tree);
    const unsigned char expected[] = {20, 0, 0, 0, 0, 0, 0, 0, 0x88, 0x77, 0x66, 0x55,
                                      0x44, 0x33, 0x22, 0x11, 0xDD, 0xCC, 0xBB, 0xAA};
    EXPECT_EQ(bytes, std::string(reinterpret_cast<const char*>(expected), sizeof expected));
}

TEST(CZrKeyTree, SavedAndLoadedTreeGivesIdenticalBytes)
{
    CZrKeyTree tree;
    std::mt19937_64 random(11);
    for (int i = 0; i < 3000; ++i)
        tree.Insert(random(), static_cast<std::uint32_t>(random()));
    std::string first = Saved(tree);
    ASSERT_EQ(first.size(), 8 + 12 * tree.Count());

    std::stringstream in(first);
    CZrKeyTree loaded;
    ASSERT_TRUE(loaded.Load(in));
    EXPECT_EQ(InOrderKeys(loaded), InOrderKeys(tree));
    EXPECT_EQ(Saved(loaded), first);
    // Loading keeps the caller's tolerance.
    EXPECT_EQ(loaded.SetTolerance(-1), 15);
}

TEST(CZrKeyTree, SavesAtAnOffsetAndAfterwardsContinues)
{
    CZrKeyTree tree;
    for (std::uint64_t key : {5, 3, 8})
        tree.Insert(key, key);
    std::stringstream stream;
    stream << "head";
    ASSERT_TRUE(tree.Save(stream));
    stream << "tail";
    std::string bytes = stream.str();
    EXPECT_EQ(bytes.substr(0, 4), "head");
    EXPECT_EQ(static_cast<unsigned char>(bytes[4]), 8 + 3 * 12);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), "tail");

    stream.seekg(4);
    CZrKeyTree loaded;
    ASSERT_TRUE(loaded.Load(stream));
    EXPECT_EQ(InOrderKeys(loaded), (std::vector<std::uint64_t>{3, 5, 8}));
}

TEST(CZrKeyTree, DeepTreeSavesWithoutOverflow)
{
    CZrKeyTree tree;
    tree.SetTolerance(0);
    for (std::uint64_t key = 1; key <= 5000; ++key)
        tree.Insert(key, 1);
    std::string bytes = Saved(tree);
    EXPECT_EQ(bytes.size(), 8 + 12 * 5000u);
}

TEST(CZrKeyTree, ValueWiderThanSavedFormFailsTheSave)
{
    if constexpr (sizeof(std::uintptr_t) > 4) {
        CZrKeyTree tree;
        int object = 0;
        tree.Insert(1, reinterpret_cast<std::uintptr_t>(&object));
        tree.Insert(2, std::uintptr_t{1} << 40);
        std::stringstream stream;
        EXPECT_FALSE(tree.Save(stream));
    }
}

TEST(CZrKeyTree, TruncatedStreamFailsToLoad)
{
    CZrKeyTree tree;
    for (std::uint64_t key = 1; key <= 10; ++key)
        tree.Insert(key, key);
    std::string bytes = Saved(tree);
    std::stringstream in(bytes.substr(0, bytes.size() - 5));
    CZrKeyTree loaded;
    EXPECT_FALSE(loaded.Load(in));
    EXPECT_EQ(loaded.Count(), 9u);
}
