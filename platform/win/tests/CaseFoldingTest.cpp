// Names compared without regard to case by Unicode's simple case folding,
// whatever the locale.

#include "win/CaseFolding.h"

#include <gtest/gtest.h>

#include <clocale>

namespace {

struct NamePair {
    const char* a;
    const char* b;
    bool equal;
};

// UTF-8 written as bytes where the letters look alike, so that the case is
// plain in the source.
const NamePair kNames[] = {
    {"Name", "NAME", true},
    {"\xD0\x98\xD0\xBC\xD1\x8F", "\xD0\x98\xD0\x9C\xD0\xAF", true},            // Имя, ИМЯ
    {"\xC3\x84rger", "\xC3\xA4RGER", true},                                      // Ärger, äRGER
    {"\xCE\xA3\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1", "\xCF\x83\xCE\x9F\xCE\xA6\xCE\x8A\xCE\x91", true},  // Σοφία, σΟΦΊΑ
    {"\xCF\x82", "\xCE\xA3", true},                                              // final sigma, capital sigma
    {"\xE2\x84\xAA", "k", true},                                                 // Kelvin sign
    {"\xE1\xBA\x9E", "\xC3\x9F", true},                                          // capital and small sharp s
    {"\xF0\x90\x90\x80", "\xF0\x90\x90\xA8", true},                              // Deseret, beyond the BMP
    {"\xE1\x8F\xB8", "\xE1\x8F\xB0", true},                                      // Cherokee small and capital ye
    {"Stra\xC3\x9F" "e", "STRASSE", false},                                      // one to two is not simple
    {"\xC4\xB1", "i", false},                                                    // dotless i stays itself
    {"\xD0\x98\xD0\xBC\xD1\x8F", "\xD0\x98\xD0\xBC", false},
    {"Name", "Names", false},
    {"\xFF" "a", "\xFF" "A", true},                                              // a stray byte matches itself
    {"\xFF", "\xFE", false},
    {"\xC3", "\xC3\x84", false},
};

class CLocale {
public:
    explicit CLocale(const char* name) : m_previous(std::setlocale(LC_ALL, nullptr)) { std::setlocale(LC_ALL, name); }
    ~CLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }

private:
    std::string m_previous;
};

}  // namespace

TEST(CaseFolding, NamesCompareByUnicodeSimpleFoldingWhateverTheLocale)
{
    // The process's C locale knows no letters beyond ASCII; folding must not
    // depend on it.
    CLocale plain("C");
    for (const NamePair& pair : kNames) {
        SCOPED_TRACE(std::string(pair.a) + " / " + pair.b);
        EXPECT_EQ(pair.equal, EqualsNoCase(pair.a, pair.b));
        EXPECT_EQ(pair.equal, EqualsNoCase(pair.b, pair.a));
    }
}

TEST(CaseFolding, Utf16NamesFoldAcrossSurrogatePairs)
{
    EXPECT_TRUE(EqualsNoCase(u"\u0418\u043C\u044F", u"\u0418\u041C\u042F"));
    EXPECT_TRUE(EqualsNoCase(u"\U00010400x", u"\U00010428X"));
    EXPECT_FALSE(EqualsNoCase(std::u16string_view(u"\xD801", 1), std::u16string_view(u"\xD802", 1)));
    EXPECT_TRUE(EqualsNoCase(std::u16string_view(u"\xDC00", 1), std::u16string_view(u"\xDC00", 1)));
    EXPECT_FALSE(EqualsNoCase(u"ab", u"abc"));
}

TEST(CaseFolding, FoldsToTheSmallLetterAndLeavesOthersAlone)
{
    const std::pair<char32_t, char32_t> cases[] = {
        {U'A', U'a'}, {U'z', U'z'},           {U'_', U'_'},           {0x0178, 0x00FF}, {0x0100, 0x0101},
        {0x0101, 0x0101}, {0x00B5, 0x03BC},   {0x0130, 0x0130},       {0x1E921, 0x1E943}, {0x10FFFF, 0x10FFFF},
    };
    for (const auto& [code, folded] : cases) {
        SCOPED_TRACE(std::to_string(code));
        EXPECT_EQ(folded, FoldCase(code));
    }
}
