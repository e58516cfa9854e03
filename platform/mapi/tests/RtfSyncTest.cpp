#include "MapiTestSupport.h"

#include "mapi/CompressedRtf.h"

namespace {

struct PlainCase {
    const char* name;
    std::string rtf;
    std::string plain; // UTF-8, the process's ANSI code page
};

}  // namespace

class RtfSyncTest : public CMapiTest {};

TEST_F(RtfSyncTest, ThePlainBodyFollowsTheRtfBody)
{
    const PlainCase cases[] = {
        {"paragraphs and groups", "{\\rtf1\\ansi\\ansicpg1252 Hello {\\b bold} world\\par second\\line third}",
         "Hello bold world\r\nsecond\r\nthird"},
        {"font and colour tables are hidden",
         "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\f0 Text}", "Text"},
        {"starred destinations are hidden", "{\\rtf1 a{\\*\\htmltag116 <BR>}b}", "ab"},
        {"escaped specials", "{\\rtf1 CORP\\\\jsmith \\{a\\}}", "CORP\\jsmith {a}"},
        {"code page bytes", "{\\rtf1\\ansi\\ansicpg1251 \\'c8\\'e2\\'e0\\'ed}", "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD"},
        {"Unicode with fallback", "{\\rtf1{\\uc1 \\u1048?\\u1074?}}", "\xD0\x98\xD0\xB2"},
        {"Unicode without fallback", "{\\rtf1\\uc0 \\u-10179\\u-8704 !}", "\xF0\x9F\x98\x80!"},
        {"tabs", "{\\rtf1 a\\tab b}", "a\tb"},
        {"unbalanced closing braces", "{\\rtf1 a}}}b", "ab"},
    };
    CComPtr<IMAPIFolder> drafts = SpecialFolder(m_store, PR_IPM_DRAFTS_ENTRYID);
    for (const PlainCase& c : cases) {
        SCOPED_TRACE(c.name);
        CComPtr<IMessage> message;
        ASSERT_EQ(S_OK, drafts->CreateMessage(nullptr, 0, &message));
        std::vector<BYTE> compressed = CompressRtf(c.rtf);
        SPropValue rtf{};
        rtf.ulPropTag = PR_RTF_COMPRESSED;
        rtf.Value.bin = {static_cast<ULONG>(compressed.size()), compressed.data()};
        ASSERT_EQ(S_OK, HrSetOneProp(message, &rtf));
        ASSERT_EQ(S_OK, RTFSync(message, RTF_SYNC_RTF_CHANGED, nullptr));
        EXPECT_EQ(c.plain, GetString(message, PR_BODY_A));
    }
}
