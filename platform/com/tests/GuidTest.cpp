#include "com/Guid.h"
#include "com/Unknown.h"

#include <gtest/gtest.h>

using pollenta::com::GuidFromString;
using pollenta::com::GuidToString;

TEST(Guid, TextFormRoundTripsAndIsUpperCase)
{
    EXPECT_EQ(GuidToString(IID_IUnknown), "{00000000-0000-0000-C000-000000000046}");
    GUID parsed{};
    ASSERT_TRUE(GuidFromString("{0c1a2b3d-4e5f-6071-8293-a4b5c6d7e8f9}", parsed));
    EXPECT_EQ(GuidToString(parsed), "{0C1A2B3D-4E5F-6071-8293-A4B5C6D7E8F9}");
}

TEST(Guid, MalformedTextIsRejected)
{
    GUID g{};
    for (const char* bad : {"", "{}", "0C1A2B3D-4E5F-6071-8293-A4B5C6D7E8F9", "{0C1A2B3D-4E5F-6071-8293-A4B5C6D7E8F}",
                            "{0C1A2B3D-4E5F-6071-8293-A4B5C6D7E8FG}", "{0C1A2B3D+4E5F-6071-8293-A4B5C6D7E8F9}"}) {
        EXPECT_FALSE(GuidFromString(bad, g)) << bad;
    }
    EXPECT_EQ(CLSIDFromString(u"not a guid", &g), CO_E_CLASSSTRING);
}

TEST(Guid, WideFormNeedsRoomForTheTerminator)
{
    OLECHAR text[39];
    EXPECT_EQ(StringFromGUID2(IID_IUnknown, text, 38), 0);
    ASSERT_EQ(StringFromGUID2(IID_IUnknown, text, 39), 39);
    CLSID back{};
    ASSERT_EQ(CLSIDFromString(text, &back), S_OK);
    EXPECT_TRUE(IsEqualGUID(back, IID_IUnknown));
}
