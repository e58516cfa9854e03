// What the add-in shares with the sending component and the wizard: hex
// pairs, entry-id buffers, MAPI error names and message-table texts.

#include "resources/KestrinResources.h"

#include "zr/CZrEntryID.h"
#include "zr/FormatHResult.h"
#include "zr/GetMapiErrorName.h"
#include "zr/HexPairToByte.h"
#include "zr/LoadMessageText.h"

#include "mapi/MapiUtil.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string BytesOf(const CZrEntryID& id)
{
    return std::string(reinterpret_cast<const char*>(id.Bytes()), id.Size());
}

class EntryIdTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MAPIINIT_0 init = {MAPI_INIT_VERSION, 0};
        ASSERT_EQ(S_OK, MAPIInitialize(&init));
    }
    void TearDown() override { MAPIUninitialize(); }
};

}  // namespace

TEST(HexPairToByteTest, ReadsTwoDigitsOfEitherCaseAndRefusesAnythingElse)
{
    const struct {
        const char* text;
        BYTE expected;
    } cases[] = {
        {"4A", 0x4A}, {"4a", 0x4A}, {"ff", 0xFF}, {"00", 0x00}, {"09x", 0x09}, {"4G", 0},
        {"G4", 0},    {"4", 0},     {"", 0},      {nullptr, 0}, {" 4", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        EXPECT_EQ(c.expected, HexPairToByte(c.text));
    }
}

TEST_F(EntryIdTest, SetHexTakesTwoDigitsPerByteAndEmptiesOnAnythingElse)
{
    const struct {
        const char* text;
        std::string expected;
    } cases[] = {
        {"0A1B", std::string("\x0A\x1B", 2)},
        {"0a1b", std::string("\x0A\x1B", 2)},
        {"0A1", ""},
        {"", ""},
        {nullptr, ""},
        {"0A1G", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        CZrEntryID id;
        id.SetHex("FFFF");
        id.SetHex(c.text);
        EXPECT_EQ(c.expected, BytesOf(id));
        EXPECT_EQ(c.expected.empty(), id.IsEmpty());
        EXPECT_TRUE(id.IsValid());
    }
}

TEST_F(EntryIdTest, SetHexWReadsTheClientsUtf16Text)
{
    CZrEntryID id;
    id.SetHexW(u"00FF");
    EXPECT_EQ(std::string("\x00\xFF", 2), BytesOf(id));
    id.SetHexW(nullptr);
    EXPECT_TRUE(id.IsEmpty());
}

TEST_F(EntryIdTest, SetRefusesACountWithoutBytesAndKeepsTheOldValue)
{
    CZrEntryID id;
    id.SetHex("0102");
    EXPECT_FALSE(id.Set(4, nullptr));
    EXPECT_EQ(std::string("\x01\x02", 2), BytesOf(id));
    EXPECT_TRUE(id.Set(0, nullptr));
    EXPECT_TRUE(id.IsEmpty());
    EXPECT_EQ(nullptr, id.Bytes());
}

TEST_F(EntryIdTest, CopiesOwnNewBytesAndAnEmptyCopyAllocatesNothing)
{
    CZrEntryID original;
    original.SetHex("A1B2C3");
    CZrEntryID copy(original);
    EXPECT_EQ(BytesOf(original), BytesOf(copy));
    EXPECT_NE(original.Bytes(), copy.Bytes());

    copy = copy;
    EXPECT_EQ(BytesOf(original), BytesOf(copy));

    // A buffer that is part of the value itself.
    copy.Set(1, copy.Bytes() + 1);
    EXPECT_EQ("\xB2", BytesOf(copy));

    CZrEntryID empty;
    CZrEntryID emptyCopy(empty);
    EXPECT_EQ(nullptr, emptyCopy.Bytes());
    original = empty;
    EXPECT_TRUE(original.IsEmpty());
}

TEST(MapiErrorNameTest, NamesKnownCodesAndWritesOthersInHex)
{
    const struct {
        HRESULT code;
        const char* expected;
    } cases[] = {
        {static_cast<HRESULT>(0x8004010F), "MAPI_E_NOT_FOUND"},
        {1, "MAPI_E_USER_ABORT"},
        {7, "0x00000007"},
        {26, "MAPI_E_NOT_SUPPORTED"},
        {static_cast<HRESULT>(0x00040380), "MAPI_W_ERRORS_RETURNED"},
        {static_cast<HRESULT>(0x80040700), "MAPI_E_AMBIGUOUS_RECIP"},
        {static_cast<HRESULT>(0x80070057), "MAPI_E_INVALID_PARAMETER"},
        {static_cast<HRESULT>(0x8004011B), "MAPI_E_CORRUPT_DATA"},
        {static_cast<HRESULT>(0x80041234), "0x80041234"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(c.expected, GetMapiErrorName(c.code));
    }
}

TEST(FormatHResultTest, WritesEightUpperCaseDigits)
{
    EXPECT_EQ("0x80004005", FormatHResult(E_FAIL));
    EXPECT_EQ("0x0000ABCD", FormatHResult(0xABCD));
}

TEST(LoadMessageTextTest, ReadsTheModulesOwnTableWithInsertsAndWithoutTheLineBreak)
{
    ASSERT_NE(nullptr, KestrinModule());
    EXPECT_EQ("Fatal error while creating object \"Gastrel.Hubberly\"",
              LoadMessageText(0xE00022C5, {"Gastrel.Hubberly"}));
    EXPECT_EQ("Unknown error", LoadMessageText(0xE00022BA));
    EXPECT_EQ("Debug Message: ", LoadMessageText(0x600022CB));
    EXPECT_EQ("", LoadMessageText(0xE0001234));
}
