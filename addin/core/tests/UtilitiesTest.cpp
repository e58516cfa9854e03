// The add-in's utility functions that need no MAPI store: the client's
// editor and files, versions, GUID texts, registry texts and folder trees.

#include "AddinTestFolder.h"
#include "StandInApplication.h"

#include "util/ClientVersion.h"
#include "util/DeleteFolderTree.h"
#include "util/MakeGuidText.h"
#include "util/ReadRegString.h"

#include "win/SystemInfo.h"

#include <regex>

namespace fs = std::filesystem;

namespace {

const std::string kMailOptions = "Software\\Microsoft\\Office\\11.0\\Outlook\\Options\\Mail";

}  // namespace

TEST(UtilitiesTest, WordMailEditorFollowsTheClientsEditorPreference)
{
    const struct {
        const char* name;
        const char* version;
        std::optional<DWORD> preference;
        BOOL isWord;
        int format;
        HRESULT result;
    } cases[] = {
        {"Word, format 0", "11.0.8169", 0x00020001, TRUE, 0, S_OK},
        {"client editor, format 1", "11.0.8169", 0x00030000, FALSE, 1, S_OK},
        {"client editor, format 2", "11.0.8169", 0x00010000, FALSE, 2, S_OK},
        {"unknown format kept", "11.0.8169", 0x00090000, FALSE, 7, S_OK},
        {"no options key: answer kept", "10.0.2627", std::nullopt, TRUE, 7, S_OK},
        {"no version: read as 10.0", "", std::nullopt, TRUE, 7, S_OK},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AddinTestFolder folder;
        if (c.preference)
            AddinTestFolder::SetNumber(kMailOptions, "EditorPreference", *c.preference);
        CComPtr<_Application> application = StandInApplication::Make(nullptr, c.version);
        WordMailEditor answer{TRUE, 7};
        EXPECT_EQ(c.result, IsWordMailEditor(application, answer));
        EXPECT_EQ(c.isWord, answer.isWord);
        EXPECT_EQ(c.format, answer.format);
    }
}

TEST(UtilitiesTest, WordMailEditorFailsOnAPreferenceThatIsNoNumberAndVersion9IsNeverWord)
{
    AddinTestFolder folder;
    AddinTestFolder::SetText(HKEY_CURRENT_USER, kMailOptions, "EditorPreference", "1");
    WordMailEditor answer{TRUE, 7};
    EXPECT_EQ(E_FAIL, IsWordMailEditor(StandInApplication::Make(nullptr, "11.0.1"), answer));
    EXPECT_TRUE(answer.isWord);
    EXPECT_EQ(S_OK, IsWordMailEditor(StandInApplication::Make(nullptr, "9.0.3821"), answer));
    EXPECT_FALSE(answer.isWord);
}

TEST(UtilitiesTest, ClientPathComesFromItsRegisteredLocalServer)
{
    AddinTestFolder folder;
    EXPECT_EQ("", GetOutlookExePath());
    const std::string clsid = "{0006F03A-0000-0000-C000-000000000046}";
    AddinTestFolder::SetText(HKEY_CLASSES_ROOT, "Outlook.Application\\CLSID", "", clsid);
    EXPECT_EQ("", GetOutlookExePath());
    AddinTestFolder::SetText(HKEY_CLASSES_ROOT, "CLSID\\" + clsid + "\\LocalServer32", "", "/opt/office/outlook");
    EXPECT_EQ("/opt/office/outlook", GetOutlookExePath());
}

TEST(UtilitiesTest, ModuleFileVersionIsTheVersionBlocksMajorAndMinor)
{
    // This program carries the add-in's version block, 1.4.
    EXPECT_EQ(0x00010004u, GetModuleFileVersion(fs::read_symlink("/proc/self/exe").c_str()));
    EXPECT_EQ(0u, GetModuleFileVersion("/etc/hostname"));
    EXPECT_EQ(0u, GetModuleFileVersion(""));
    EXPECT_EQ(0u, GetModuleFileVersion(nullptr));
}

TEST(UtilitiesTest, ThemedVersionsAreFivePointOneAndLaterButNotSixPointZero)
{
    const struct {
        DWORD major;
        DWORD minor;
        BOOL themed;
    } cases[] = {{5, 0, FALSE}, {5, 1, TRUE}, {5, 2, TRUE}, {6, 0, FALSE}, {6, 1, TRUE}, {4, 10, FALSE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.major) + "." + std::to_string(c.minor));
        SetReportedWindowsVersion(c.major, c.minor);
        EXPECT_EQ(c.themed, IsThemedWindowsVersion());
    }
    SetReportedWindowsVersion(5, 0);
}

TEST(UtilitiesTest, GuidTextsAreUpperCaseWithAndWithoutBraces)
{
    const std::regex braced("\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}");
    const std::string text = MakeGuidText();
    EXPECT_TRUE(std::regex_match(text, braced)) << text;
    const std::string bare = MakeGuidTextBare();
    EXPECT_TRUE(std::regex_match("{" + bare + "}", braced)) << bare;
    EXPECT_NE(text, MakeGuidText());
}

TEST(UtilitiesTest, RegistryTextIsReadOnlyFromTextValues)
{
    AddinTestFolder folder;
    const std::string path = "Software\\Velquin Ltd\\Pollenta";
    AddinTestFolder::SetText(HKEY_CURRENT_USER, path, "LogFolderPath", "/var/log/pollenta");
    AddinTestFolder::SetText(HKEY_CURRENT_USER, path, "Empty", "");
    AddinTestFolder::SetNumber(path, "KeepDays", 15);
    RegistryKey key;
    ASSERT_EQ(ERROR_SUCCESS, key.Open(HKEY_CURRENT_USER, path, KEY_READ));
    std::string text = "stale";
    EXPECT_EQ(ERROR_SUCCESS, ReadRegString(key.Handle(), "LogFolderPath", text));
    EXPECT_EQ("/var/log/pollenta", text);
    text = "stale";
    EXPECT_EQ(ERROR_INVALID_DATA, ReadRegString(key.Handle(), "KeepDays", text));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, ReadRegString(key.Handle(), "Missing", text));
    EXPECT_EQ("stale", text);
}

TEST(UtilitiesTest, FolderTreeGoesWithItsSubfoldersButLinksAreNeverFollowed)
{
    AddinTestFolder folder;
    const fs::path logs = folder.Path() / "Logs";
    folder.WriteFile("Logs/kq061110.log", "line\r\n");
    folder.WriteFile("Logs/old/kq061001.log", "line\r\n");
    const fs::path outside = folder.WriteFile("keep/precious.txt", "mine");
    fs::create_directory_symlink(folder.Path() / "keep", logs / "link");

    EXPECT_TRUE(DeleteFolderTree(logs.c_str()));
    EXPECT_FALSE(fs::exists(logs));
    EXPECT_TRUE(fs::exists(outside));
    EXPECT_FALSE(DeleteFolderTree(""));
    EXPECT_FALSE(DeleteFolderTree(nullptr));
}
