#include "TempFolder.h"
#include "errors/CZrMapiErrorSource.h"
#include "errors/MessageText.h"
#include "errors/ZrThrow.h"
#include "lang/CWELanguages.h"
#include "lang/LanguageImage.h"

#include "win/Errors.h"

#include <gtest/gtest.h>

namespace {

template <class Throw>
CZrException Caught(Throw thrower)
{
    try {
        thrower();
    } catch (const CZrException& error) {
        return error;
    }
    ADD_FAILURE() << "nothing thrown";
    return CZrException(0, CZrException::KindComponent, "", {}, ZR_HERE);
}

class ErrorTest : public testing::Test {
protected:
    void SetUp() override { Languages().SelectLanguage(m_folder.Path(), "English"); }
    void TearDown() override
    {
        Languages().SetLanguageId(CWELanguages::EnglishId);
        MapiErrorSource().Unload();
    }
    TempFolder m_folder;
};

}  // namespace

TEST_F(ErrorTest, MessageTextsFollowTheUserInterfaceLanguage)
{
    const std::string inserts[] = {"a@example.com", "Code 013"};
    EXPECT_EQ(ComponentMessageText(0xC00022B6, inserts), "Error while creating message for <a@example.com> (Code 013)");
    Languages().SetLanguageId(CWELanguages::GermanId);
    EXPECT_EQ(ComponentMessageText(0xC00022B6, inserts), "Fehler beim Erstellen der Nachricht für <a@example.com> (Code 013)");
    Languages().SetLanguageId(CWELanguages::RussianId);
    EXPECT_EQ(ComponentMessageText(0xC00022C5), "Переполнение списка адресов");
    EXPECT_EQ(MessageLanguage("Afrikaans"), LangEnglish);
    EXPECT_EQ(ComponentMessageText(0xC00022C5, LangEnglish), "Address list overflow");
    EXPECT_EQ(ComponentMessageText(0x12345678, LangEnglish), "");
}

TEST_F(ErrorTest, InsertsAreReplacedOnce)
{
    const std::string inserts[] = {"%2 100%", "two"};
    EXPECT_EQ(InsertMessageArguments("[%1] [%2] [%3] %% %x", inserts), "[%2 100%] [two] [] % %x");
    const std::string name[] = {"Smith, John"};
    EXPECT_EQ(ComponentMessageText(0xC00022D1, LangEnglish, name), "E-mail address of recipient Smith, John not found");
}

TEST_F(ErrorTest, InvalidArgumentNamesTheArgument)
{
    CZrException error = Caught([] { ThrowInvalidArgument("lpMessage", ZR_HERE); });
    EXPECT_EQ(error.Result(), E_INVALIDARG);
    EXPECT_EQ(error.Description(), "The parameter is incorrect. (lpMessage)");
    EXPECT_EQ(error.ErrorKind(), CZrException::KindComponent);
    EXPECT_EQ(error.CallName(), "");
    EXPECT_EQ(error.SourceFile(), "ErrorTest");
    EXPECT_NE(error.Operation().find("TestBody"), std::string::npos);
    EXPECT_EQ(error.FullText(), "The parameter is incorrect. (lpMessage); Function: ; File: ErrorTest; Line: " +
                                    std::to_string(error.Line()) + "; Call from: " + error.Operation() + ";");
}

TEST_F(ErrorTest, ComponentErrorsInTheCurrentLanguage)
{
    Languages().SetLanguageId(CWELanguages::GermanId);
    CZrException state = Caught([] { ThrowInvalidMemberState("m_pMessage", ZR_HERE); });
    EXPECT_EQ(state.Code(), 0xC000230Cu);
    EXPECT_EQ(state.Description(), "Ungültiger Zustand eines Klassenmitglieds. (m_pMessage)");
    CZrException list = Caught([] { ThrowComponentError(0xC00022ED, "Team", ZR_HERE); });
    EXPECT_EQ(list.Description(), "Fehler beim Öffnen der Verteilerliste Team");
}

TEST_F(ErrorTest, MapiErrorsUseTheConfiguredTextSource)
{
    CZrException plain = Caught([] { ThrowMapiResult(0xC00022DD, E_FAIL, "OpenEntry", ZR_HERE); });
    EXPECT_EQ(plain.Description(), "Error of opening Outbox folder (Unspecified error)");
    EXPECT_EQ(plain.ErrorKind(), CZrException::KindMapi);
    EXPECT_EQ(plain.CallName(), "OpenEntry");

    const LanguageText texts[] = {{0x8004010F, "The object could not be found."}};
    m_folder.Write("mapierrors", BuildLanguageImage(texts));
    ASSERT_TRUE(MapiErrorSource().Load(m_folder.Path() + "/mapierrors"));
    CZrException found = Caught([] { ThrowMapiResult(0xC00022DD, static_cast<HRESULT>(0x8004010F), "OpenEntry", ZR_HERE); });
    EXPECT_EQ(found.Description(), "Error of opening Outbox folder (The object could not be found.)");
    // Codes the source lacks keep the system's wording.
    CZrException other = Caught([] { ThrowMapiResult(0xC00022DD, E_OUTOFMEMORY, "OpenEntry", ZR_HERE); });
    EXPECT_EQ(other.Description(), "Error of opening Outbox folder (Ran out of memory)");
}
