// Answers stored as the respondent typed them: survey pages in several
// charsets, posted by mail clients in every transfer encoding and read back
// from the SQLite table byte for byte; values that cannot be read are
// warnings with the failure mark, never text with replacement characters.

#include "AnswerMessageFixture.h"
#include "UserLocaleEnvironment.h"

#include "util/CZrMapiBufferPtr.h"
#include "util/MessageFlag.h"

#include "mapi/MapiGuids.h"
#include "win/CodePage.h"
#include "win/Registry.h"

namespace {

using AnswerEml::Post;

class AnswerTextTest : public AnswerMessageFixture {
protected:
    void TearDown() override { SetAnsiCodePage(CP_UTF8); }

    // The post of a page in `codePage` into which the fields were typed.
    Post Typed(const AnswerEml::Fields& typed, unsigned codePage)
    {
        AnswerEml::Fields posted{{"kqProjectID", std::to_string(world.ProjectId())}};
        for (const auto& [name, value] : typed)
            posted.emplace_back(name, AnswerEml::TypedIntoPage(value, codePage));
        Post post;
        post.formData = AnswerEml::FormData(posted);
        return post;
    }

    CComPtr<IMessage> Process(const Post& post, const CWEWatchSnapshot& settings)
    {
        return DeliverAndProcess(AnswerEml::Message(post), settings);
    }
    CComPtr<IMessage> Process(const Post& post) { return Process(post, defaults); }

    // A column of the newest record, as SQLite holds it.
    std::string Stored(const std::string& column) const
    {
        return world.Scalar("SELECT coalesce(" + column + ", 'NULL') FROM Answers ORDER BY ID DESC LIMIT 1");
    }

    std::string Subject(IMessage* message) const
    {
        CZrMapiBufferPtr<SPropValue> value;
        if (FAILED(HrGetOneProp(message, PR_SUBJECT_A, &value)))
            return "<none>";
        return value->Value.lpszA;
    }

    std::string FlagText(IMessage* message) const
    {
        const WORD id = GetNamedPropId(message, PSETID_Common, 0x8530, 0x801E);
        CZrMapiBufferPtr<SPropValue> value;
        if (FAILED(HrGetOneProp(message, PROP_TAG(PT_STRING8, id), &value)))
            return "<none>";
        return value->Value.lpszA;
    }

    std::string Warning(const std::string& field, const std::string& value, const std::string& error) const
    {
        return "Field: " + field + "; Value: " + value + "; Error: " + error + "\r\n";
    }
};

}  // namespace

TEST_F(AnswerTextTest, TextTypedIntoAPageOfAnyCharsetIsStoredAsTyped)
{
    const struct {
        const char* name;
        unsigned codePage;
        const char* charset;
        const char* transferEncoding;
        bool alternative;
        const char* typedName;
        const char* typedTown;
    } cases[] = {
        {"UTF-8 page, base64, no charset", CP_UTF8, "", "base64", false, "Jürgen Müller", "Köln"},
        {"UTF-8 page, quoted-printable, utf-8", CP_UTF8, "utf-8", "quoted-printable", false, "Zoë", "Москва"},
        {"windows-1252 page, quoted-printable", 1252, "windows-1252", "quoted-printable", false, "Renée", "Köln – 5 €"},
        {"windows-1252 page labelled iso-8859-1, 8bit", 1252, "iso-8859-1", "8bit", false, "Jürgen", "Zürich €"},
        {"windows-1251 page, base64", 1251, "windows-1251", "base64", false, "Дмитрий", "Москва"},
        {"windows-1251 page, 7bit, beside the bodies", 1251, "windows-1251", "7bit", true, "Ольга", "Санкт-Петербург"},
        {"Shift_JIS page, base64, beside the bodies", 932, "shift_jis", "base64", true, "山田 太郎", "東京"},
        {"Cyrillic typed into a windows-1252 page", 1252, "windows-1252", "quoted-printable", false, "Дмитрий", "Köln"},
        {"a character beyond the BMP", CP_UTF8, "", "base64", false, "Ann \U0001F600", "Bern"},
    };
    int records = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Post post = Typed({{"Name", c.typedName}, {"Town", c.typedTown}}, c.codePage);
        post.charset = c.charset;
        post.transferEncoding = c.transferEncoding;
        post.alternative = c.alternative;
        CComPtr<IMessage> message = Process(post);
        ASSERT_EQ(++records, world.Count());
        EXPECT_EQ(c.typedName, Stored("Name"));
        EXPECT_EQ(c.typedTown, Stored("Town"));
        EXPECT_EQ("Answer [stored]", Subject(message));
    }
    EXPECT_EQ(0, LogCount("Warning while adding survey data"));
}

TEST_F(AnswerTextTest, TheAnsiCodePageHoldsWhatItCanAndTheRestIsAWarning)
{
    ASSERT_TRUE(SetAnsiCodePage(1252));
    CComPtr<IMessage> message = Process(Typed({{"Name", "Jürgen"}, {"Town", "Москва"}}, CP_UTF8));
    EXPECT_EQ("Jürgen", Stored("Name"));
    EXPECT_EQ("NULL", Stored("Town"));
    EXPECT_EQ("Answer [refused]", Subject(message));
    EXPECT_EQ(1, LogCount(Warning("Town", "%D0%9C%D0%BE%D1%81%D0%BA%D0%B2%D0%B0",
                                  "The value has characters that the ANSI code page cannot hold (1252)")));
    EXPECT_EQ(1, LogCount("Survey data sucessfully added"));
}

TEST_F(AnswerTextTest, AValueThatIsNotTextInTheAnswersCharsetIsAWarningNeverStoredDamaged)
{
    const struct {
        const char* name;
        const char* charset;
        const char* town;
        const char* error;
    } cases[] = {
        {"no charset declared", "", "Köln", "The value is not text in the charset of the answer (utf-8)"},
        {"declared as UTF-8", "utf-8", "Zürich", "The value is not text in the charset of the answer (utf-8)"},
        {"a charset nobody knows", "x-unknown", "Málaga",
         "The value is not text in the charset of the answer (x-unknown)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Post post = Typed({{"Name", "Ann"}, {"Town", c.town}}, 1252);
        post.charset = c.charset;
        CComPtr<IMessage> message = Process(post);
        EXPECT_EQ("Ann", Stored("Name"));
        EXPECT_EQ("NULL", Stored("Town"));
        EXPECT_EQ("Answer [refused]", Subject(message));
        const std::string posted = AnswerEml::FormData({{"Town", AnswerEml::TypedIntoPage(c.town, 1252)}}).substr(5);
        EXPECT_EQ(1, LogCount(Warning("Town", posted, c.error)));
    }
    EXPECT_EQ(3, LogCount("Survey data sucessfully added"));
    EXPECT_EQ("0", world.Scalar("SELECT count(*) FROM Answers WHERE instr(Town, x'EFBFBD') OR instr(Name, x'EFBFBD')"));
}

TEST_F(AnswerTextTest, AnAnswerOfNothingButUnreadableValuesStoresNothingAndIsMarkedFailed)
{
    // Without the sender's address, the record would be empty.
    HKEY key = nullptr;
    const std::string project = "SOFTWARE\\Velquin Ltd\\Pollenta\\Projects\\" + std::to_string(world.ProjectId());
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyEx(HKEY_CURRENT_USER, project.c_str(), 0, KEY_SET_VALUE, &key));
    const DWORD none = 0;
    EXPECT_EQ(ERROR_SUCCESS,
              RegSetValueEx(key, "CollectSenders", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&none), sizeof none));
    RegCloseKey(key);

    CComPtr<IMessage> message = Process(Typed({{"Town", "Köln"}}, 1252));
    EXPECT_EQ(0, world.Count());
    EXPECT_EQ("Answer [refused]", Subject(message));
    EXPECT_EQ(1, LogCount(Warning("Town", "K%F6ln", "The value is not text in the charset of the answer (utf-8)")));
    EXPECT_EQ(0, LogCount("Survey data sucessfully added"));
    EXPECT_EQ(0, LogCount("Fatal error"));
}

TEST_F(AnswerTextTest, TheSendersAddressIsStoredExactlyAsTheMessageCarriesIt)
{
    const struct {
        const char* from;
        const char* stored;
    } cases[] = {
        {"Gus <gus+survey@example.org>", "gus+survey@example.org"},
        {"gus+survey+2006@example.org", "gus+survey+2006@example.org"},
        {"\"Gus\" <per%41cent@example.org>", "per%41cent@example.org"},
        {"\"gus survey\"@example.org", "\"gus survey\"@example.org"},
        {"Gus <  gus+x@example.org  >", "gus+x@example.org"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        Post post = Typed({{"Name", "Gus"}}, CP_UTF8);
        post.from = c.from;
        Process(post);
        EXPECT_EQ(c.stored, Stored("SenderEmail"));
    }
}

TEST_F(AnswerTextTest, NumbersAndDatesTypedInTheUsersLocaleAreStoredAsMeant)
{
    const struct {
        const char* locale;
        const char* seq;
        const char* score;
        const char* born;
        const char* stored;
        const char* subject;
    } cases[] = {
        {"de_DE.UTF-8", "1.234", "3,5", "24.12.2026", "1234|3.5|2026-12-24", "Answer [stored]"},
        {"de_DE.UTF-8", "1.234", "1.234", "2026-12-24", "1234|1234.0|2026-12-24", "Answer [stored]"},
        {"ru_RU.UTF-8", "1 234", "1 234,5", "24.12.2026", "1234|1234.5|2026-12-24", "Answer [stored]"},
        {"de_DE.UTF-8", "1,5", "2", "1.2.2026", "NULL|2.0|2026-02-01", "Answer [refused]"},
        {"ru_RU.UTF-8", "12,75", "0,5", "01.02.2026", "NULL|0.5|2026-02-01", "Answer [refused]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " " + c.seq);
        UserLocaleEnvironment locale(c.locale);
        CComPtr<IMessage> message = Process(Typed({{"Seq", c.seq}, {"Score", c.score}, {"Born", c.born}}, CP_UTF8));
        EXPECT_EQ(c.stored, world.Scalar("SELECT coalesce(Seq, 'NULL') || '|' || printf('%.1f', Score) || '|' || "
                                         "substr(Born, 1, 10) FROM Answers ORDER BY ID DESC LIMIT 1"));
        EXPECT_EQ(c.subject, Subject(message));
    }
    EXPECT_EQ(1, LogCount(Warning("Seq", "1,5", "Failed to set the field value.")));
    EXPECT_EQ(1, LogCount(Warning("Seq", "12,75", "Failed to set the field value.")));
}

TEST_F(AnswerTextTest, AMessageWithoutASubjectIsStoredAndGetsNoMark)
{
    Post post = Typed({{"Name", "Ann"}}, CP_UTF8);
    post.subject.clear();
    CComPtr<IMessage> message = Process(post);
    EXPECT_EQ("Ann", Stored("Name"));
    EXPECT_EQ("<none>", Subject(message));
    EXPECT_EQ(1, LogCount("Property (PR_SUBJECT) requested from the interface \"IMessage\" is not available"));
}

TEST_F(AnswerTextTest, TheFollowUpFlagSaysWhatTheSubjectMarkSays)
{
    CWEWatchSnapshot settings;
    settings.m_nMessageAction = CWEAnswerMessage::kFlag;
    CComPtr<IMessage> stored = Process(Typed({{"Name", "Ann"}}, CP_UTF8), settings);
    EXPECT_EQ("Answer [stored]", Subject(stored));
    EXPECT_EQ("Survey data added successfully", FlagText(stored));

    CComPtr<IMessage> refused = Process(Typed({{"Name", "Ann"}, {"Town", "Köln"}}, 1252), settings);
    EXPECT_EQ("Answer [refused]", Subject(refused));
    EXPECT_EQ("Survey data not added successfully", FlagText(refused));

    Post nothing = Typed({{"Name", "Ann"}}, CP_UTF8);
    nothing.formData = "kqProjectID=" + std::to_string(world.ProjectId() + 1) + "&Name=Ann";
    CComPtr<IMessage> failed = Process(nothing, settings);
    EXPECT_EQ("Answer [FAIL]", Subject(failed));
    EXPECT_EQ("Survey data not added successfully", FlagText(failed));
}
