#include "MapiTestSupport.h"
#include "classes/TMMailItem.h"
#include "errors/CZrException.h"
#include "lang/CWELanguages.h"
#include "mapisender/CZrAdrMap.h"
#include "mapisender/CZrMacroReplacer.h"
#include "mapisender/CZrMAPIHelper.h"
#include "mapisender/MacroSearch.h"
#include "sender/BodyProperty.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "win/CodePage.h"

#include <functional>

namespace {

CZrUniformMacros List(std::initializer_list<std::pair<const char*, const char*>> macros)
{
    CZrUniformMacros list;
    for (const auto& [name, value] : macros) {
        CZrUniformMacro macro;
        macro.Create(name, value);
        list.push_back(macro);
    }
    return list;
}

DWORD CodeOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const CZrException& error) {
        return error.Code();
    }
    return 0;
}

}  // namespace

TEST(MacroSearchTest, MacrosAreFoundInEveryFormTheTextMayHoldThem)
{
    const CZrUniformMacros list =
        List({{"%RECIPIENT%", "ann@example.com"}, {"NAME", "Ann & Co"}, {"NAMEFULL", "never"}, {"", "EMPTY"}});
    struct Case {
        const char* source;
        bool subject;
        int format;
        const char* expected;
    };
    const Case cases[] = {
        {"To %%RECIPIENT%%.", false, CZrMAPIHelper::FormatPlain, "To ann@example.com."},
        {"To %RECIPIENT%.", false, CZrMAPIHelper::FormatPlain, "To %RECIPIENT%."},
        {"Hi %NAME%!", false, CZrMAPIHelper::FormatPlain, "Hi Ann & Co!"},
        {"Hi %NAME and all", false, CZrMAPIHelper::FormatPlain, "Hi Ann & Co and all"},
        {"?n=%25NAME%25&x", false, CZrMAPIHelper::FormatHtml, "?n=Ann%20%26%20Co&x"},
        {"?n=%25NAME%x", false, CZrMAPIHelper::FormatHtml, "?n=%25NAME%x"},
        {"%NAMEFULL%", false, CZrMAPIHelper::FormatPlain, "Ann & CoFULL%"},
        {"<p>%NAME%</p>", false, CZrMAPIHelper::FormatHtml, "<p>Ann &amp; Co</p>"},
        {"Survey %NAME%", true, CZrMAPIHelper::FormatHtml, "Survey Ann & Co"},
        {"width:100%; a%20b", false, CZrMAPIHelper::FormatHtml, "width:100%; a%20b"},
        {"%", false, CZrMAPIHelper::FormatPlain, "%"},
        {"%25", false, CZrMAPIHelper::FormatPlain, "%25"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(c.expected, SearchAndReplace(std::string_view(c.source), list, c.subject, c.format));
        EXPECT_EQ(ToWide(c.expected, CP_ACP),
                  SearchAndReplace(std::u16string_view(ToWide(c.source, CP_ACP)), list, c.subject, c.format));
    }
}

TEST(MacroSearchTest, RtfBodiesGetValuesWithTheirControlCharactersEscaped)
{
    const CZrUniformMacros list = List({{"NAME", "CORP\\jsmith {x}"}});
    EXPECT_EQ("{\\rtf1 CORP\\\\jsmith \\{x\\}}",
              SearchAndReplace(std::string_view("{\\rtf1 %NAME%}"), list, false, CZrMAPIHelper::FormatRtf));
}

TEST(UniformMacroTest, NonAsciiValuesTakeTheirCharacterInEveryForm)
{
    ASSERT_TRUE(SetAnsiCodePage(1251));
    CZrUniformMacro macro;
    macro.Create("NAME", "\xC0");
    SetAnsiCodePage(CP_UTF8);
    EXPECT_EQ("&#1040;", macro.m_strHtml);
    EXPECT_NE(std::string::npos, macro.m_strRtf.find("\\u1040")) << macro.m_strRtf;
    EXPECT_EQ(0u, macro.m_strRtf.find("{\\uc1"));
    EXPECT_EQ("%c0", macro.m_strEscape);
    EXPECT_EQ(u"\u0410", macro.m_wstrValue);

    macro.Create("NAME", "\xD0\x90\xE2\x82\xAC");
    EXPECT_EQ("&#1040;&#8364;", macro.m_strHtml);
}

TEST(UniformMacroTest, TheUrlFormKeepsOnlySafeBytes)
{
    CZrUniformMacro macro;
    macro.Create("Q", "a-Z_0.~!'()*/:%\x01 ?&=");
    EXPECT_EQ("a-Z_0.~!'()*/:%%01%20%3f%26%3d", macro.m_strEscape);
    macro.Create("Q", "");
    EXPECT_EQ("", macro.m_strEscape);
}

TEST(UniformMacroListTest, NamesAreCleanedOfQuotesBracketsAndSpareBlanks)
{
    struct Case {
        const char* raw;
        const char* expected;
    };
    const Case cases[] = {
        {"'Smith, John' (Sales)", "Smith, John"},
        {"  \"Ann  Lee\"  ", "Ann Lee"},
        {"Bob <bob@example.com>", "Bob"},
        {"Cat [IT] {temp} Wu", "Cat Wu"},
        {"Dan\tO", "Dan\tO"},
        {"((nested) still) Eve", "Eve"},
        {"O'Neil", "O'Neil"},
        {"'Fay'", "Fay"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(c.expected, CZrUniformMacroList::CleanName(c.raw));
    }
    EXPECT_EQ("John.smith", CZrUniformMacroList::NameFromAddress("JOHN.smith@example.com"));
    EXPECT_EQ("@example.com", CZrUniformMacroList::NameFromAddress("@example.com"));
}

class MacroReplacerTest : public CMapiTest {
public:
    void SetUp() override
    {
        CMapiTest::SetUp();
        Languages().SelectLanguage(m_dir, "English");
        ASSERT_EQ(S_OK, m_session->OpenAddressBook(0, nullptr, 0, &m_book));
        ASSERT_EQ(S_OK, TMMailItem::CreateInstance(IID_ITMMailItem3, reinterpret_cast<void**>(&m_object)));
        m_drafts = SpecialFolder(m_store, PR_IPM_DRAFTS_ENTRYID);
        ASSERT_EQ(S_OK, m_drafts->CreateMessage(&IID_IMessage, 0, &m_message));
    }
    void TearDown() override
    {
        m_message.Release();
        m_drafts.Release();
        m_object.Release();
        m_book.Release();
        CMapiTest::TearDown();
    }

    void Dynamic(const char* name, LONG code)
    {
        CComVariant value(code);
        ASSERT_EQ(S_OK, m_object->AddMacros(CComBSTR(name), value, VARIANT_TRUE));
    }

    const CZrAdrMapEntry& Entry(const char* name, const char* address, const char* list = "[list]")
    {
        SPropValue props[2] = {};
        props[0].ulPropTag = PR_DISPLAY_NAME_A;
        props[0].Value.lpszA = const_cast<char*>(name);
        props[1].ulPropTag = PR_EMAIL_ADDRESS_A;
        props[1].Value.lpszA = const_cast<char*>(address);
        m_map.AddRecip(SRow{0, 2, props}, list, false);
        return *m_map.Lookup(address);
    }

    TMMailItem* Owner() { return static_cast<TMMailItem*>(m_object.p); }

    CComPtr<IAddrBook> m_book;
    CComPtr<ITMMailItem3> m_object;
    CComPtr<IMAPIFolder> m_drafts;
    CComPtr<IMessage> m_message;
    CZrAdrMap m_map;
};

TEST_F(MacroReplacerTest, EveryBuiltInValueGoesIntoSubjectAndPlainBody)
{
    Dynamic("EMAIL", dfRecipientEmail);
    Dynamic("NAME", dfRecipientName);
    Dynamic("LIST", dfDistListName);
    Dynamic("FIRST", dfRecipientFirstName);
    Dynamic("LAST", dfRecipientLastName);
    // A code the item would refuse, as a future one would arrive.
    MacroRecord odd;
    odd.key = "%ODD%";
    odd.name = "ODD";
    odd.dynamic = true;
    odd.dynamicCode = 5;
    Owner()->Macros().push_back(odd);
    SetString(m_message, PR_SUBJECT_A, "For %NAME%");
    SetString(m_message, PR_BODY_A, "%EMAIL%|%FIRST%|%LAST%|%LIST%|%ODD%");
    CZrMacroReplacer replacer(Owner(), m_book, "ann@example.com", Entry("'Lee, Ann Marie'", "ann@example.com"),
                              CZrMAPIHelper::FormatPlain);
    replacer.Replace(m_message);
    EXPECT_EQ("For Lee, Ann Marie", GetString(m_message, PR_SUBJECT_A));
    EXPECT_EQ("ann@example.com|Lee,|Marie|[list]|%ODD%", GetString(m_message, PR_BODY_A));
    EXPECT_EQ("Lee, Ann Marie <ann@example.com>", replacer.GetRecipientText());
}

TEST_F(MacroReplacerTest, ANameThatIsAnAddressBecomesTheAddressesLocalPart)
{
    Dynamic("NAME", dfRecipientName);
    Dynamic("FIRST", dfRecipientFirstName);
    Dynamic("LAST", dfRecipientLastName);
    SetString(m_message, PR_SUBJECT_A, "%NAME%/%FIRST%/%LAST%");
    CZrMacroReplacer replacer(Owner(), m_book, "mary.ann@example.com",
                              Entry("mary.ann@example.com", "mary.ann@example.com"), CZrMAPIHelper::FormatPlain);
    replacer.Replace(m_message);
    EXPECT_EQ("Mary.ann/Mary.ann/Mary.ann", GetString(m_message, PR_SUBJECT_A));
}

TEST_F(MacroReplacerTest, OwnerMacrosWithoutASinkAreEmptyAndNoDynamicMacroLeavesAnEmptyRecipientText)
{
    Dynamic("OWN", dfOwnerEvaluate);
    SetString(m_message, PR_SUBJECT_A, "[%OWN%]");
    CZrMacroReplacer replacer(Owner(), m_book, "bob@example.com", Entry("Bob", "bob@example.com"),
                              CZrMAPIHelper::FormatPlain);
    replacer.Replace(m_message);
    EXPECT_EQ("[]", GetString(m_message, PR_SUBJECT_A));

    ASSERT_EQ(S_OK, m_object->RemoveAllMacroses());
    CZrMacroReplacer bare(Owner(), m_book, "bob@example.com", *m_map.Lookup("bob@example.com"),
                          CZrMAPIHelper::FormatPlain);
    EXPECT_EQ(" <>", bare.GetRecipientText());
}

TEST_F(MacroReplacerTest, HtmlAndRtfBodiesTakeTheirOwnForms)
{
    Dynamic("NAME", dfRecipientName);
    SetString(m_message, PR_SUBJECT_A, "%NAME%");
    SetString(m_message, PR_BODY_HTML_A, "<b>%NAME%</b>");
    CZrMacroReplacer html(Owner(), m_book, "cat@example.com", Entry("Cat & {Co}", "cat@example.com"),
                          CZrMAPIHelper::FormatHtml);
    html.Replace(m_message);
    std::string text;
    ASSERT_EQ(S_OK, ReadTextProperty(m_message, PR_BODY_HTML_A, text));
    EXPECT_EQ("<b>Cat &amp;</b>", text);

    CComPtr<IMessage> rtf;
    ASSERT_EQ(S_OK, m_drafts->CreateMessage(&IID_IMessage, 0, &rtf));
    SetString(rtf, PR_SUBJECT_A, "s");
    ASSERT_EQ(S_OK, WriteRtfBody(rtf, "{\\rtf1\\ansi Dear %NAME%\\par}"));
    CZrMacroReplacer rtfReplacer(Owner(), m_book, "dan@example.com", Entry("CORP\\dan", "dan@example.com"),
                                 CZrMAPIHelper::FormatRtf);
    rtfReplacer.Replace(rtf);
    ASSERT_EQ(S_OK, ReadRtfBody(rtf, text, false));
    EXPECT_NE(std::string::npos, text.find("Dear CORP\\\\dan\\par")) << text;
}

TEST_F(MacroReplacerTest, AMessageWithoutSubjectOrWithAnUnknownFormatFails)
{
    CZrMacroReplacer replacer(Owner(), m_book, "eve@example.com", Entry("Eve", "eve@example.com"),
                              CZrMAPIHelper::FormatPlain);
    EXPECT_EQ(0xC0002307u, CodeOf([&] { replacer.Replace(m_message); }));
    SetString(m_message, PR_SUBJECT_A, "s");
    CZrMacroReplacer odd(Owner(), m_book, "eve@example.com", *m_map.Lookup("eve@example.com"), 7);
    EXPECT_EQ(0xC00022C6u, CodeOf([&] { odd.Replace(m_message); }));
    EXPECT_EQ(0xC000230Cu, CodeOf([&] {
        CZrMacroReplacer none(nullptr, m_book, "eve@example.com", *m_map.Lookup("eve@example.com"), 1);
    }));
}
