#include "MapiTestSupport.h"

#include <cstring>

TEST(MapiMemory, BlocksAllocatedMoreAreFreedWithTheirParent)
{
    LPVOID parent = nullptr;
    ASSERT_EQ(S_OK, MAPIAllocateBuffer(16, &parent));
    for (int i = 0; i < 100; ++i) {
        LPVOID child = nullptr;
        ASSERT_EQ(S_OK, MAPIAllocateMore(64, parent, &child));
        std::memset(child, 0xAB, 64);
    }
    // Under the sanitizers, a child left behind shows as a leak.
    EXPECT_EQ(0u, MAPIFreeBuffer(parent));
    EXPECT_EQ(0u, MAPIFreeBuffer(nullptr));
    LPVOID orphan = nullptr;
    EXPECT_EQ(MAPI_E_INVALID_PARAMETER, MAPIAllocateMore(8, nullptr, &orphan));
}

TEST(MapiHex, FBinFromHexRejectsOddLengthsAndForeignDigitsWithoutWriting)
{
    BYTE out[4] = {0x11, 0x22, 0x33, 0x44};
    EXPECT_FALSE(FBinFromHex(const_cast<char*>("ABC"), out));
    EXPECT_FALSE(FBinFromHex(const_cast<char*>("0G"), out));
    EXPECT_EQ(0x11, out[0]);
    EXPECT_TRUE(FBinFromHex(const_cast<char*>("0aFf"), out));
    EXPECT_EQ(0x0A, out[0]);
    EXPECT_EQ(0xFF, out[1]);
    EXPECT_EQ(0x33, out[2]);

    char text[9];
    BYTE bytes[] = {0x00, 0x7F, 0xA5, 0xFF};
    HexFromBin(bytes, 4, text);
    EXPECT_STREQ("007FA5FF", text);
}

TEST(MapiProps, ScDupPropsetCopiesStringsAndArraysIntoOneBlock)
{
    char* items[] = {const_cast<char*>("SMTP:a@b.c"), const_cast<char*>("X400:c=de")};
    SPropValue source[2] = {};
    source[0].ulPropTag = PR_SUBJECT_A;
    source[0].Value.lpszA = const_cast<char*>("Subject");
    source[1].ulPropTag = PR_EMS_AB_PROXY_ADDRESSES;
    source[1].Value.MVszA = {2, items};
    LPSPropValue copy = nullptr;
    ASSERT_EQ(S_OK, ScDupPropset(2, source, nullptr, &copy));
    EXPECT_STREQ("Subject", copy[0].Value.lpszA);
    EXPECT_NE(source[0].Value.lpszA, copy[0].Value.lpszA);
    ASSERT_EQ(2u, copy[1].Value.MVszA.cValues);
    EXPECT_STREQ("X400:c=de", copy[1].Value.MVszA.lppszA[1]);
    MAPIFreeBuffer(copy);
}
