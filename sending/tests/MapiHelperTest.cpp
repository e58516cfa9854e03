#include "MapiTestSupport.h"
#include "errors/CZrException.h"
#include "mapisender/CZrAdrMap.h"
#include "mapisender/CZrMAPIHelper.h"
#include "mapisender/FindRowProp.h"
#include "mapisender/HexText.h"
#include "sender/MapiRows.h"

#include "lang/CWELanguages.h"
#include "mapi/MapiAdmin.h"
#include "mapi/MapiUtil.h"
#include "mapi/WrapCompressedRTFStream.h"

#include <cstring>
#include <functional>
#include <vector>

namespace {

// A recipient row as a table hands it out, built value by value.
class Row {
public:
    Row& Text(ULONG tag, const char* text)
    {
        m_texts.emplace_back(text);
        SPropValue value{};
        value.ulPropTag = tag;
        m_values.push_back(value);
        m_textAt.push_back(m_values.size() - 1);
        return *this;
    }
    Row& Long(ULONG tag, LONG number)
    {
        SPropValue value{};
        value.ulPropTag = tag;
        value.Value.l = number;
        m_values.push_back(value);
        return *this;
    }
    SRow Get()
    {
        for (std::size_t i = 0; i < m_textAt.size(); ++i)
            m_values[m_textAt[i]].Value.lpszA = const_cast<char*>(m_texts[i].c_str());
        return SRow{0, static_cast<ULONG>(m_values.size()), m_values.data()};
    }

private:
    std::vector<std::string> m_texts;
    std::vector<std::size_t> m_textAt;
    std::vector<SPropValue> m_values;
};

SRow Recipient(Row& row, const char* name, const char* address)
{
    return row.Text(PR_DISPLAY_NAME_A, name).Text(PR_EMAIL_ADDRESS_A, address).Get();
}

DWORD CodeOf(const std::function<void()>& call, std::string* description = nullptr)
{
    try {
        call();
    } catch (const CZrException& error) {
        if (description)
            *description = error.Description();
        return error.Code();
    }
    return 0;
}

void WriteRtf(IMessage* message, const std::string& rtf)
{
    CComPtr<IStream> stream;
    ASSERT_TRUE(CZrMAPIHelper::OpenRTFWriteStream(message, &stream));
    ULONG written = 0;
    ASSERT_EQ(S_OK, stream->Write(rtf.data(), static_cast<ULONG>(rtf.size()), &written));
    ASSERT_EQ(S_OK, stream->Commit(STGC_OVERWRITE));
}

}  // namespace

TEST(AdrMapTest, AddressesDifferingOnlyInCaseMakeOneRecipientNamedAfterTheFirstList)
{
    CZrAdrMap map;
    Row first, second;
    map.AddRecip(Recipient(first, "Ann", "Ann@Example.com"), "Staff", false);
    map.AddRecip(Recipient(second, "Ann Again", "ann@example.COM"), "Board", false);
    ASSERT_EQ(1u, map.GetCount());
    const CZrAdrMapEntry* entry = map.Lookup("ANN@EXAMPLE.COM");
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ("Staff", entry->m_strDistListName);
    EXPECT_EQ("Ann <Ann@Example.com>", entry->GetRecipientText());
    EXPECT_EQ("Ann@Example.com", map.begin()->second.key);
}

TEST(AdrMapTest, AnExcludedOccurrenceClearsTheSendFlagAndALaterOneDoesNotLiftIt)
{
    struct Case {
        std::vector<bool> excluded;
        int send;
    };
    const Case cases[] = {{{false}, 1}, {{true}, 0}, {{false, true}, 0}, {{true, false}, 0}, {{false, false}, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.excluded.size());
        CZrAdrMap map;
        for (bool excluded : c.excluded) {
            Row row;
            map.AddRecip(Recipient(row, "Ben", "ben@example.com"), "List", excluded);
        }
        EXPECT_EQ(c.send, map.Lookup("ben@example.com")->m_nSend);
    }
}

TEST(AdrMapTest, KeepsItsOwnCopyOfTheRowWithoutErrorsAndRowIdButWithARecipientType)
{
    CZrAdrMap map;
    {
        Row row;
        row.Text(PR_DISPLAY_NAME_A, "Cat").Text(PR_EMAIL_ADDRESS_A, "cat@example.com").Long(PR_ROWID, 7)
            .Long(CHANGE_PROP_TYPE(PR_SMTP_ADDRESS_A, PT_ERROR), MAPI_E_NOT_FOUND);
        map.AddRecip(row.Get(), "", false);
    }
    const CZrAdrMapEntry* entry = map.Lookup("cat@example.com");
    ASSERT_NE(nullptr, entry);
    ASSERT_EQ(3u, entry->m_cValues);
    EXPECT_STREQ("Cat", entry->m_lpProps[0].Value.lpszA);
    EXPECT_EQ(PR_RECIPIENT_TYPE, entry->m_lpProps[2].ulPropTag);
    EXPECT_EQ(static_cast<LONG>(MAPI_TO), entry->m_lpProps[2].Value.l);

    CZrAdrMapEntry copy;
    copy = *entry;
    map.RemoveAll();
    EXPECT_EQ("Cat <cat@example.com>", copy.GetRecipientText());
}

TEST(AdrMapTest, AGivenRecipientTypeIsKept)
{
    CZrAdrMap map;
    Row row;
    row.Text(PR_EMAIL_ADDRESS_A, "dan@example.com").Long(PR_RECIPIENT_TYPE, MAPI_CC);
    map.AddRecip(row.Get(), "", false);
    const CZrAdrMapEntry* entry = map.Lookup("dan@example.com");
    ASSERT_EQ(2u, entry->m_cValues);
    EXPECT_EQ(static_cast<LONG>(MAPI_CC), entry->m_lpProps[1].Value.l);
}

TEST(AdrMapTest, TheOrderOfVisitsDoesNotDependOnTheOrderOfAdding)
{
    const char* addresses[] = {"zoe@example.com", "Al@example.com", "mia@example.com"};
    std::vector<std::string> forward, backward;
    CZrAdrMap a, b;
    for (int i = 0; i < 3; ++i) {
        Row one, two;
        a.AddRecip(Recipient(one, "x", addresses[i]), "", false);
        b.AddRecip(Recipient(two, "x", addresses[2 - i]), "", false);
    }
    for (const auto& node : a)
        forward.push_back(node.second.key);
    for (const auto& node : b)
        backward.push_back(node.second.key);
    EXPECT_EQ(forward, backward);
}

TEST(AdrMapTest, ARowWithoutAnAddressFailsNamingTheRecipient)
{
    Languages().SelectLanguage("", "English");
    struct Case {
        const char* name;
        const char* expected;
    };
    for (const Case& c : {Case{"Eve", "E-mail address of recipient Eve not found"},
                          Case{nullptr, "E-mail address of recipient <Unnamed> not found"}}) {
        SCOPED_TRACE(c.expected);
        CZrAdrMap map;
        Row row;
        if (c.name)
            row.Text(PR_DISPLAY_NAME_A, c.name);
        row.Long(PR_RECIPIENT_TYPE, MAPI_TO);
        std::string description;
        EXPECT_EQ(0xC00022D1u, CodeOf([&] { map.AddRecip(row.Get(), "", false); }, &description));
        EXPECT_NE(std::string::npos, description.find(c.expected)) << description;
        EXPECT_EQ(0u, map.GetCount());
    }
}

TEST(AdrMapTest, RecipientTextPrefersTheSmtpAddressAndShowsWhatThereIs)
{
    struct Case {
        const char* name;
        const char* smtp;
        const char* email;
        const char* expected;
    };
    const Case cases[] = {
        {"Fay", "fay@example.com", "/o=Org/cn=fay", "Fay <fay@example.com>"},
        {"Fay", "", "fay@host.example", "Fay <fay@host.example>"},
        {"Fay", nullptr, nullptr, "Fay"},
        {nullptr, nullptr, "fay@host.example", "fay@host.example"},
        {nullptr, nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        Row row;
        if (c.name)
            row.Text(PR_DISPLAY_NAME_A, c.name);
        if (c.smtp)
            row.Text(PR_SMTP_ADDRESS_A, c.smtp);
        if (c.email)
            row.Text(PR_EMAIL_ADDRESS_A, c.email);
        SRow got = row.Get();
        CZrAdrMapEntry entry;
        entry.Borrow(got.cValues, got.lpProps, true, "");
        EXPECT_EQ(c.expected, entry.GetRecipientText());
    }
}

TEST(HexTextTest, BytesBecomeUpperCaseDigitsAndComeBack)
{
    const BYTE bytes[] = {0x00, 0x0A, 0xFF, 0x7B};
    const std::string text = HexTextOfBytes(4, bytes);
    EXPECT_EQ("000AFF7B", text);
    LPBYTE back = nullptr;
    ULONG count = 0;
    ASSERT_TRUE(BytesOfHexText("000aff7b", &back, &count));
    ASSERT_EQ(4u, count);
    EXPECT_EQ(0, std::memcmp(bytes, back, 4));
    MAPIFreeBuffer(back);
    EXPECT_FALSE(BytesOfHexText("0G", &back, &count));
    MAPIFreeBuffer(back);
}

class MapiHelperTest : public CMapiTest {
public:
    void SetUp() override
    {
        CMapiTest::SetUp();
        Languages().SelectLanguage(m_dir, "English");
        m_drafts = SpecialFolder(m_store, PR_IPM_DRAFTS_ENTRYID);
        ASSERT_EQ(S_OK, m_drafts->CreateMessage(&IID_IMessage, 0, &m_message));
        ASSERT_EQ(S_OK, m_session->OpenAddressBook(0, nullptr, 0, &m_book));
    }
    void TearDown() override
    {
        m_book.Release();
        m_message.Release();
        m_drafts.Release();
        CMapiTest::TearDown();
    }

    CComPtr<IMAPIFolder> m_drafts;
    CComPtr<IMessage> m_message;
    CComPtr<IAddrBook> m_book;
};

TEST_F(MapiHelperTest, TheBodyFormatComesFromTheRtfHeadOrTheHtmlProperties)
{
    const std::string padding(130, ' ');
    struct Case {
        const char* what;
        std::string rtf;
        ULONG htmlTag;
        int expected;
    };
    const Case cases[] = {
        {"html kept in rtf", "{\\rtf1\\ansi\\fromhtml1 x}", 0, CZrMAPIHelper::FormatHtml},
        {"text kept in rtf", "{\\rtf1\\ansi\\fromtext x}", 0, CZrMAPIHelper::FormatPlain},
        {"fromhtml after the head", "{\\rtf1\\ansi" + padding + "\\fromhtml1 x}", 0, CZrMAPIHelper::FormatRtf},
        {"plain rtf", "{\\rtf1\\ansi x}", 0, CZrMAPIHelper::FormatRtf},
        {"html bytes", "", PR_HTML, CZrMAPIHelper::FormatHtml},
        {"html text", "", PR_BODY_HTML_A, CZrMAPIHelper::FormatHtml},
        {"nothing", "", 0, CZrMAPIHelper::FormatPlain},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CComPtr<IMessage> message;
        ASSERT_EQ(S_OK, m_drafts->CreateMessage(&IID_IMessage, 0, &message));
        SetString(message, PR_BODY_A, "x");
        if (!c.rtf.empty())
            WriteRtf(message, c.rtf);
        if (c.htmlTag == PR_HTML) {
            SPropValue value{};
            value.ulPropTag = PR_HTML;
            value.Value.bin = {4, reinterpret_cast<LPBYTE>(const_cast<char*>("<p/>"))};
            ASSERT_EQ(S_OK, HrSetOneProp(message, &value));
        } else if (c.htmlTag) {
            SetString(message, c.htmlTag, "<p/>");
        }
        ASSERT_EQ(S_OK, message->SaveChanges(KEEP_OPEN_READWRITE));
        EXPECT_EQ(c.expected, CZrMAPIHelper::GetBodyFormat(message));
    }
}

TEST_F(MapiHelperTest, WrittenRtfReadsBackUncompressed)
{
    const std::string rtf = "{\\rtf1\\ansi Hello {\\b world}}";
    WriteRtf(m_message, rtf);
    CComPtr<IStream> stream;
    ASSERT_TRUE(CZrMAPIHelper::OpenRTFReadStream(m_message, &stream));
    char buffer[256] = {};
    ULONG read = 0;
    ASSERT_EQ(S_OK, stream->Read(buffer, sizeof buffer, &read));
    EXPECT_EQ(rtf, std::string(buffer, read).c_str());
    EXPECT_TRUE(CZrMAPIHelper::CheckProperty(m_message, PR_RTF_COMPRESSED));
}

TEST_F(MapiHelperTest, AMessageWithoutRtfHasNoRtfStreamAndNoSuchProperty)
{
    CComPtr<IStream> stream;
    EXPECT_FALSE(CZrMAPIHelper::OpenRTFReadStream(m_message, &stream));
    EXPECT_FALSE(CZrMAPIHelper::CheckProperty(m_message, PR_HTML));
}

TEST_F(MapiHelperTest, AMessageWithoutSentRepresentingPropertiesPassesUnchanged)
{
    SetString(m_message, PR_SUBJECT_A, "Plain");
    CZrMAPIHelper::ResolveFromField(0, 0, m_book, m_message);
    LPSPropValue value = nullptr;
    EXPECT_EQ(MAPI_E_NOT_FOUND, HrGetOneProp(m_message, PR_SENT_REPRESENTING_NAME_A, &value));
    MAPIFreeBuffer(value);
}

TEST_F(MapiHelperTest, NamesOfTheFromFieldAndTheRecipientsAreResolvedAndSaved)
{
    pollenta::mapi::AddMailUser(Book(), "Gil Owner", "gil@example.com", {});
    pollenta::mapi::AddMailUser(Book(), "Hal Reader", "hal@example.com", {});
    SetString(m_message, PR_SENT_REPRESENTING_NAME_A, "Gil Owner");
    SPropValue props[2] = {};
    props[0].ulPropTag = PR_DISPLAY_NAME_A;
    props[0].Value.lpszA = const_cast<char*>("Hal Reader");
    props[1].ulPropTag = PR_RECIPIENT_TYPE;
    props[1].Value.l = MAPI_CC;
    ADRLIST list{1, {{0, 2, props}}};
    ASSERT_EQ(S_OK, m_message->ModifyRecipients(MODRECIP_ADD, &list));

    CZrMAPIHelper::ResolveMessageNames(0, 0, m_book, m_message);

    EXPECT_EQ("gil@example.com", GetString(m_message, PR_SENT_REPRESENTING_EMAIL_ADDRESS_A));
    CComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, m_message->GetRecipientTable(0, &table));
    LPSRowSet rows = nullptr;
    ASSERT_EQ(S_OK, HrQueryAllRows(table, nullptr, nullptr, nullptr, 0, &rows));
    ASSERT_EQ(1u, rows->cRows);
    EXPECT_STREQ("hal@example.com", RowText(rows->aRow[0].cValues, rows->aRow[0].lpProps, PR_EMAIL_ADDRESS_A));
    LPSPropValue type = FindRowProp(rows->aRow[0], PR_RECIPIENT_TYPE);
    ASSERT_NE(nullptr, type);
    EXPECT_EQ(static_cast<LONG>(MAPI_CC), type->Value.l);
    FreeProws(rows);
}

TEST_F(MapiHelperTest, AMessageWithoutRecipientsCannotBeResolved)
{
    EXPECT_EQ(0xC000230Bu, CodeOf([&] { CZrMAPIHelper::ResolveMessageNames(0, 0, m_book, m_message); }));
    EXPECT_EQ(static_cast<DWORD>(E_INVALIDARG),
              CodeOf([&] { CZrMAPIHelper::ResolveMessageNames(0, 0, nullptr, m_message); }));
}

TEST_F(MapiHelperTest, ARowQueryByValueKeepsJustTheRowsHavingIt)
{
    std::string otherId;
    ASSERT_EQ(S_OK, pollenta::mapi::CreateStore("Test", m_dir + "/other.store", "Other", false, &otherId));
    // A session lists the stores its profile had at logon.
    ASSERT_EQ(S_OK, MAPILogonEx(0, nullptr, nullptr, MAPI_EXTENDED, &m_otherSession));
    CComPtr<IMAPITable> stores;
    ASSERT_EQ(S_OK, m_otherSession->GetMsgStoresTable(0, &stores));
    SizedSPropTagArray(2, columns) = {2, {PR_ENTRYID, PR_DEFAULT_STORE}};
    struct Case {
        const char* what;
        BOOL isDefault;
        std::string expected;
    };
    const Case cases[] = {{"the default store", TRUE, m_storeId}, {"the other store", FALSE, otherId}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SPropValue equals{};
        equals.ulPropTag = PR_DEFAULT_STORE;
        equals.Value.b = c.isDefault;
        RowsPtr rows;
        ASSERT_EQ(S_OK, QueryRowsWhere(stores, reinterpret_cast<LPSPropTagArray>(&columns), equals, rows));
        ASSERT_TRUE(rows);
        ASSERT_EQ(1u, rows->cRows);
        EXPECT_EQ(c.expected, Bytes(rows->aRow[0].lpProps[0].Value.bin));
    }
}
