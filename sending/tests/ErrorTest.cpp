#include "errors/CZrMapiErrorSource.h"
#include "errors/MessageText.h"
#include "errors/SystemErrorText.h"
#include "errors/ZrThrow.h"
#include "lang/CWELanguages.h"
#include "lang/LanguageImage.h"

#include "testsupport/TempFolder.h"
#include "testsupport/TempRegistry.h"
#include "win/Errors.h"
#include "win/Registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

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

// A MAPI object that remembers a text about its last failure.
struct FakeMapiObject {
    HRESULT GetLastError(HRESULT hr, ULONG flags, LPMAPIERROR* error)
    {
        if (MAPIAllocateBuffer(sizeof(MAPIERROR) + text.size() + 1, reinterpret_cast<void**>(error)) != S_OK)
            return E_OUTOFMEMORY;
        **error = MAPIERROR{};
        (*error)->lpszError = reinterpret_cast<LPSTR>(*error + 1);
        std::copy(text.c_str(), text.c_str() + text.size() + 1, (*error)->lpszError);
        return S_OK;
    }
    std::string text;
};

void WriteMachineValue(const char* name, const std::string& text)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velquin Ltd\\MAPI Errors", 0, nullptr, 0, KEY_WRITE,
                             nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), text.size() + 1);
    RegCloseKey(key);
}

class ErrorTest : public testing::Test {
protected:
    void SetUp() override
    {
        Languages().SelectLanguage(m_folder.Path(), "English");
    }
    void TearDown() override
    {
        Languages().SetLanguageId(CWELanguages::EnglishId);
        MapiErrorSource().Unload();
    }
    pollenta::testsupport::TempFolder m_folder;
    pollenta::testsupport::TempRegistry m_registry{m_folder.Path()};
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
    const std::string invalid = SystemErrorText(E_INVALIDARG);
    ASSERT_NE(invalid, "");
    EXPECT_EQ(error.Description(), invalid + " (lpMessage)");
    EXPECT_EQ(error.ErrorKind(), CZrException::KindComponent);
    EXPECT_EQ(error.CallName(), "");
    EXPECT_EQ(error.SourceFile(), "ErrorTest");
    EXPECT_NE(error.Operation().find("TestBody"), std::string::npos);
    EXPECT_EQ(error.FullText(), invalid + " (lpMessage); Function: ; File: ErrorTest; Line: " +
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
    EXPECT_EQ(plain.Description(), "Error of opening Outbox folder (" + SystemErrorText(E_FAIL) + ")");
    EXPECT_EQ(plain.ErrorKind(), CZrException::KindMapi);
    EXPECT_EQ(plain.CallName(), "OpenEntry");

    const LanguageText texts[] = {{0x8004010F, "The object could not be found."}};
    m_folder.Write("mapierrors", BuildLanguageImage(texts));
    ASSERT_TRUE(MapiErrorSource().Load((m_folder.Path() / "mapierrors").string()));
    CZrException found = Caught([] { ThrowMapiResult(0xC00022DD, static_cast<HRESULT>(0x8004010F), "OpenEntry", ZR_HERE); });
    EXPECT_EQ(found.Description(), "Error of opening Outbox folder (The object could not be found.)");
    // Codes the source lacks keep the system's wording.
    CZrException other = Caught([] { ThrowMapiResult(0xC00022DD, E_OUTOFMEMORY, "OpenEntry", ZR_HERE); });
    EXPECT_EQ(other.Description(), "Error of opening Outbox folder (" + SystemErrorText(E_OUTOFMEMORY) + ")");
}

TEST_F(ErrorTest, MapiObjectErrorsCarryTheObjectsOwnText)
{
    FakeMapiObject message{"The property stream is locked."};
    CZrException error = Caught([&] { ThrowMapiObject(0xC00022DE, E_FAIL, &message, "OpenProperty", ZR_HERE); });
    EXPECT_EQ(error.Description(),
              "Error of opening compressed message text (The property stream is locked. " + SystemErrorText(E_FAIL) + ")");
    EXPECT_EQ(error.CallName(), "OpenProperty");
    EXPECT_EQ(error.ErrorKind(), CZrException::KindMapi);

    FakeMapiObject silent;
    CZrException plain = Caught([&] { ThrowMapiObject(0xC00022DE, E_FAIL, &silent, "OpenProperty", ZR_HERE); });
    EXPECT_EQ(plain.Description(), "Error of opening compressed message text (" + SystemErrorText(E_FAIL) + ")");
}

TEST_F(ErrorTest, ConfiguredMapiErrorSource)
{
    EXPECT_FALSE(MapiErrorSource().LoadConfigured());

    const LanguageText texts[] = {{0x8004010F, "Not found in the store."}};
    m_folder.Write("mapi-texts", BuildLanguageImage(texts));
    WriteMachineValue("MessageSourceDll", (m_folder.Path() / "mapi-texts").string());
    ASSERT_TRUE(MapiErrorSource().LoadConfigured());
    EXPECT_EQ(MapiErrorSource().Text(static_cast<HRESULT>(0x8004010F)), "Not found in the store.");

    m_folder.Write("broken", "LNG");
    WriteMachineValue("MessageSourceDll", (m_folder.Path() / "broken").string());
    EXPECT_FALSE(MapiErrorSource().LoadConfigured());
    EXPECT_EQ(MapiErrorSource().Text(static_cast<HRESULT>(0x8004010F)), "");
    EXPECT_EQ(MapiErrorSource().Text(E_FAIL), SystemErrorText(E_FAIL));
}
