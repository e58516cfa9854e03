#include "lang/CWELanguageTable.h"
#include "lang/CWELanguages.h"
#include "lang/LanguageImage.h"

#include "testsupport/TempFolder.h"
#include "win/CodePage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using pollenta::testsupport::TempFolder;

namespace {

std::vector<unsigned char> Image(std::initializer_list<LanguageText> texts)
{
    return BuildLanguageImage(std::span<const LanguageText>(texts.begin(), texts.size()));
}

void PutWord(std::vector<unsigned char>& image, std::size_t offset, std::uint32_t word)
{
    for (int i = 0; i < 4; ++i)
        image[offset + i] = static_cast<unsigned char>(word >> (8 * i));
}

void AppendWord(std::string& bytes, std::uint32_t word)
{
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>((word >> (8 * i)) & 0xFF);
}

// A language file laid out by hand as other tools write it: header, index
// with its closing pair, then the texts as bytes of the language's code page.
std::vector<unsigned char> HandWrittenFile(std::initializer_list<std::pair<std::uint32_t, std::string>> texts)
{
    std::string header = "LNG\x01";
    AppendWord(header, 1);
    AppendWord(header, 3);
    AppendWord(header, static_cast<std::uint32_t>(texts.size()));
    std::string area;
    for (const auto& [id, text] : texts) {
        AppendWord(header, id);
        AppendWord(header, static_cast<std::uint32_t>(area.size()));
        area += text + '\0';
    }
    AppendWord(header, 0xFFFFFFFF);
    AppendWord(header, static_cast<std::uint32_t>(area.size()));
    const std::string file = header + area;
    return std::vector<unsigned char>(file.begin(), file.end());
}

std::string Text(const CWELanguages& languages, std::uint32_t id)
{
    const char* text = languages.GetLangString(id);
    return text ? text : "<none>";
}

}  // namespace

TEST(CWELanguageTable, FindsTextsAndTheirLengths)
{
    CWELanguageTable table;
    auto image = Image({{1, "one"}, {5, ""}, {9, "nine"}});
    ASSERT_TRUE(table.Attach(image.data(), image.size()));
    std::size_t length = 99;
    EXPECT_STREQ(table.FindString(9, &length), "nine");
    EXPECT_EQ(length, 4u);
    EXPECT_STREQ(table.FindString(5, &length), "");
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(table.FindString(2), nullptr);
    EXPECT_EQ(table.FindString(0xFFFFFFFF), nullptr);
}

TEST(CWELanguageTable, RejectsDamagedImages)
{
    const auto good = Image({{1, "one"}, {2, "two"}});
    struct Damage {
        const char* what;
        std::vector<unsigned char> image;
    };
    std::vector<Damage> damages;
    auto damaged = [&](const char* what, auto change) {
        std::vector<unsigned char> image = good;
        change(image);
        damages.push_back({what, image});
    };
    damaged("bad magic", [](auto& image) { image[0] = 'X'; });
    damaged("truncated header", [](auto& image) { image.resize(10); });
    damaged("truncated strings", [](auto& image) { image.resize(image.size() - 2); });
    damaged("count larger than the file", [](auto& image) { PutWord(image, 12, 1000); });
    damaged("count that wraps in 32 bits", [](auto& image) { PutWord(image, 12, 0x1FFFFFFF); });
    damaged("area size past the end", [](auto& image) { PutWord(image, 16 + 8 * 2 + 4, 0x7FFFFFFF); });
    damaged("offset past the area", [](auto& image) { PutWord(image, 16 + 8 + 4, 500); });
    damaged("offsets descending", [](auto& image) { PutWord(image, 16 + 4, 6); });
    damaged("ids descending", [](auto& image) { PutWord(image, 16, 7); });
    damaged("no closing pair", [](auto& image) { PutWord(image, 16 + 8 * 2, 3); });
    damaged("text without NUL", [](auto& image) { image[image.size() - 1] = 'x'; });

    for (const Damage& damage : damages) {
        CWELanguageTable table;
        EXPECT_FALSE(table.Attach(damage.image.data(), damage.image.size())) << damage.what;
        EXPECT_EQ(table.Count(), 0u) << damage.what;
        EXPECT_EQ(table.FindString(1), nullptr) << damage.what;
    }
}

TEST(CWELanguages, StartsInEnglishWithBuiltInTables)
{
    TempFolder folder;
    CWELanguages languages;
    ASSERT_TRUE(languages.SelectLanguage(folder.Path(), "English"));
    EXPECT_EQ(languages.GetLanguageName(), "English");
    EXPECT_EQ(languages.GetLanguageId(), 4318u);
    EXPECT_EQ(Text(languages, 117), "Sending cancelled by user.");
    EXPECT_TRUE(languages.IsLanguageAvailable("German"));
    EXPECT_TRUE(languages.IsLanguageAvailable("russian"));
    EXPECT_FALSE(languages.IsLanguageAvailable("French"));

    languages.SetLanguageId(4326);
    EXPECT_EQ(languages.GetLanguageName(), "German");
    EXPECT_EQ(languages.GetLanguageId(), 4326u);
    EXPECT_EQ(Text(languages, 111), "Schließen");
    languages.SetLanguageId(4356);
    EXPECT_EQ(Text(languages, 2), "Отмена");
    EXPECT_EQ(languages.GetLanguageId(), 4356u);
}

TEST(CWELanguages, GermanFileOverridesBuiltInTextsAndFallsBackForMissingIds)
{
    TempFolder folder;
    folder.Write("German", Image({{2, "Abbruch"}, {111, "Fertig"}}));
    CWELanguages languages;
    ASSERT_TRUE(languages.SelectLanguage(folder.Path(), "English"));
    languages.SetLanguageId(4326);
    EXPECT_EQ(Text(languages, 2), "Abbruch");
    EXPECT_EQ(Text(languages, 111), "Fertig");
    // Missing from the file: the start-up language answers.
    EXPECT_EQ(Text(languages, 117), "Sending cancelled by user.");
    EXPECT_EQ(languages.LoadLangString(1011), "[No distribution list name specified]");
    EXPECT_EQ(languages.LoadLangString(4711), "");
}

TEST(CWELanguages, CorruptFileFallsBackToTheBuiltInTable)
{
    TempFolder folder;
    auto image = Image({{2, "Abbruch"}});
    PutWord(image, 12, 0xFFFFFFFF);
    folder.Write("German", image);
    CWELanguages languages;
    ASSERT_TRUE(languages.SelectLanguage(folder.Path(), "English"));
    languages.SetLanguageId(4326);
    EXPECT_EQ(Text(languages, 2), "Abbrechen");
}

TEST(CWELanguages, OtherLanguagesOnlyWithTheirFiles)
{
    TempFolder folder;
    CWELanguages languages;
    languages.SelectLanguage(folder.Path(), "English");
    languages.SetLanguageId(4324);
    EXPECT_EQ(languages.GetLanguageId(), 4318u);

    // A folder of that name is no table.
    std::filesystem::create_directory(folder.Path() / "French");
    CWELanguages withFolder;
    withFolder.SelectLanguage(folder.Path(), "English");
    withFolder.SetLanguageId(4324);
    EXPECT_EQ(withFolder.GetLanguageId(), 4318u);
    std::filesystem::remove(folder.Path() / "French");

    folder.Write("French", Image({{2, "Annuler"}}));
    CWELanguages withFrench;
    withFrench.SelectLanguage(folder.Path(), "English");
    withFrench.SetLanguageId(4324);
    EXPECT_EQ(withFrench.GetLanguageName(), "French");
    EXPECT_EQ(withFrench.GetLanguageId(), 4324u);
    EXPECT_EQ(Text(withFrench, 2), "Annuler");
}

TEST(CWELanguages, UnavailableDefaultIsReplacedByTheFirstAvailableLanguage)
{
    TempFolder folder;
    folder.Write("English", Image({{2, "Stop"}}));
    CWELanguages languages;
    ASSERT_TRUE(languages.SelectLanguage(folder.Path(), "Klingon"));
    // The English file beside the component wins over the built-in table.
    EXPECT_EQ(Text(languages, 2), "Stop");
    // The fallback is the first available row (English built-in texts are
    // then only reachable through the string resources).
    EXPECT_EQ(languages.LoadLangString(117), "Sending cancelled by user.");
}

TEST(CWELanguages, BuiltInTextsComeInTheAnsiCodePage)
{
    TempFolder folder;
    ASSERT_TRUE(SetAnsiCodePage(1251));
    CWELanguages languages;
    languages.SelectLanguage(folder.Path(), "English");
    languages.SetLanguageId(CWELanguages::RussianId);
    EXPECT_EQ(Text(languages, 2), "\xCE\xF2\xEC\xE5\xED\xE0");
    SetAnsiCodePage(CP_UTF8);
}

TEST(CWELanguages, FileTextsAreConvertedFromTheLanguageCodePageToTheProcessCodePage)
{
    struct Case {
        const char* what;
        UINT processCodePage;
        std::uint32_t languageId;
        const char* tableName;
        std::string fileText;
        std::string expected;
    };
    const Case cases[] = {
        {"German in 1252, UTF-8 process", CP_UTF8, CWELanguages::GermanId, "German", "Schlie\xDF" "en", "Schließen"},
        {"Russian in 1251, UTF-8 process", CP_UTF8, CWELanguages::RussianId, "Russian", "\xCE\xF2\xEC\xE5\xED\xE0",
         "Отмена"},
        {"Japanese in 932, UTF-8 process", CP_UTF8, 4335, "Japanese", "\x93\xFA\x96\x7B\x8C\xEA", "日本語"},
        {"Russian in 1251, 1251 process", 1251, CWELanguages::RussianId, "Russian", "\xCE\xF2\xEC\xE5\xED\xE0",
         "\xCE\xF2\xEC\xE5\xED\xE0"},
        {"German euro sign in 1252, 1251 process", 1251, CWELanguages::GermanId, "German", "5 \x80", "5 \x88"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder folder;
        folder.Write(c.tableName, HandWrittenFile({{2, "Stop"}, {111, c.fileText}}));
        ASSERT_TRUE(SetAnsiCodePage(c.processCodePage));
        CWELanguages languages;
        ASSERT_TRUE(languages.SelectLanguage(folder.Path(), "English"));
        languages.SetLanguageId(c.languageId);
        EXPECT_EQ(c.languageId, languages.GetLanguageId());
        // The length comes from the index, so it must follow the conversion.
        EXPECT_EQ(c.expected, languages.LoadLangString(111));
        EXPECT_EQ(c.expected, Text(languages, 111));
        EXPECT_EQ("Stop", languages.LoadLangString(2));
    }
    SetAnsiCodePage(CP_UTF8);
}
