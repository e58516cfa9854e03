// References of a page resolved against the page's own path, and file URLs
// turned into local paths without losing their root.

#include "html/InternetUrl.h"
#include "html/MimeCodePages.h"

#include "TextCodec.h"

#include "win/CodePage.h"
#include "win/Errors.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

namespace {

std::string Combined(const char* base, const char* relative)
{
    DWORD length = 0;
    EXPECT_FALSE(InternetCombineUrl(base, relative, nullptr, &length, ICU_NO_ENCODE));
    EXPECT_EQ(ERROR_INSUFFICIENT_BUFFER, GetLastError());
    std::string buffer(length, '\0');
    EXPECT_TRUE(InternetCombineUrl(base, relative, buffer.data(), &length, ICU_NO_ENCODE));
    EXPECT_EQ(buffer.size() - 1, length);
    buffer.resize(length);
    return buffer;
}

}  // namespace

TEST(InternetUrlTest, ReferencesResolveAgainstTheLocalPageLikeABrowser)
{
    const char* const page = "/home/ann/Survey Files/index.htm";
    const struct {
        const char* relative;
        const char* expected;
    } cases[] = {
        {"pic.gif", "file:///home/ann/Survey Files/pic.gif"},
        {"img/a b.gif", "file:///home/ann/Survey Files/img/a b.gif"},
        {"img\\old\\style.gif", "file:///home/ann/Survey Files/img/old/style.gif"},
        {"../shared/logo.png", "file:///home/ann/shared/logo.png"},
        {"../../../../../etc/passwd", "file:///etc/passwd"},
        {"./x/./y/../z.jpg", "file:///home/ann/Survey Files/x/z.jpg"},
        {"/srv/pics/root.gif", "file:///srv/pics/root.gif"},
        {"file:///opt/p.gif", "file:///opt/p.gif"},
        {"http://www.example.com/a.gif", "http://www.example.com/a.gif"},
        {"data:image/gif;base64,R0lG", "data:image/gif;base64,R0lG"},
        {"//cdn.example.com/b.gif", "file://cdn.example.com/b.gif"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.relative);
        EXPECT_EQ(c.expected, Combined(page, c.relative));
    }
    EXPECT_EQ("http://www.example.com/dir/b.gif", Combined("http://www.example.com/dir/page.htm", "b.gif"));
    EXPECT_EQ("http://www.example.com/b.gif", Combined("http://www.example.com/dir/page.htm", "/b.gif"));
}

TEST(InternetUrlTest, FileUrlsBecomePathsThatKeepTheirRoot)
{
    const struct {
        const char* url;
        bool converts;
        const char* path;
    } cases[] = {
        {"file:///home/ann/pic.gif", true, "/home/ann/pic.gif"},
        {"FILE:///home/ann/pic.gif", true, "/home/ann/pic.gif"},
        {"file://localhost/home/ann/pic.gif", true, "/home/ann/pic.gif"},
        {"file:/home/ann/pic.gif", true, "/home/ann/pic.gif"},
        {"file://server/share/pic.gif", true, "//server/share/pic.gif"},
        {"file:///", false, ""},
        {"file://", false, ""},
        {"file:relative.gif", false, ""},
        {"http://example.com/pic.gif", false, ""},
        {"/home/ann/pic.gif", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        std::string path = "unchanged";
        EXPECT_EQ(c.converts, PathCreateFromUrl(c.url, path));
        EXPECT_EQ(c.path, path);
    }
    std::string url;
    EXPECT_TRUE(UrlCreateFromPath("/a/b.gif", url));
    EXPECT_EQ("file:///a/b.gif", url);
    EXPECT_FALSE(UrlCreateFromPath("b.gif", url));
}

TEST(InternetUrlTest, SchemeIsCrackedOnlyFromUrls)
{
    const struct {
        const char* url;
        BOOL cracks;
        INTERNET_SCHEME scheme;
    } cases[] = {
        {"mailto:ann@example.com?subject=x", TRUE, INTERNET_SCHEME_MAILTO},
        {"MAILTO:ANN@EXAMPLE.COM", TRUE, INTERNET_SCHEME_MAILTO},
        {"http://example.com", TRUE, INTERNET_SCHEME_HTTP},
        {"file:///a", TRUE, INTERNET_SCHEME_FILE},
        {"data:x", TRUE, INTERNET_SCHEME_UNKNOWN},
        {"/home/ann/page.htm", FALSE, INTERNET_SCHEME_PARTIAL},
        {"C:\\pages\\a.htm", FALSE, INTERNET_SCHEME_PARTIAL},
        {"", FALSE, INTERNET_SCHEME_PARTIAL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        URL_COMPONENTS components = {sizeof(URL_COMPONENTS), INTERNET_SCHEME_PARTIAL};
        EXPECT_EQ(c.cracks, InternetCrackUrl(c.url, 0, 0, &components));
        EXPECT_EQ(c.scheme, components.nScheme);
    }
}

TEST(MimeCodePagesTest, EveryListedCharsetIsLowerCaseAndConvertible)
{
    std::vector<MIMECPINFO> pages;
    ASSERT_EQ(S_OK, EnumCodePages(MIMECONTF_BROWSER, 0, pages));
    ASSERT_GE(pages.size(), 20u);
    EXPECT_EQ(65001u, pages[0].uiCodePage);
    for (const MIMECPINFO& page : pages) {
        const std::string charset = ToNarrow(page.wszWebCharset, CP_UTF8);
        SCOPED_TRACE(charset);
        EXPECT_TRUE(pollenta::html::IsKnownCharset(charset));
        for (char c : charset)
            EXPECT_FALSE(c >= 'A' && c <= 'Z');
        EXPECT_NE(0, page.wszDescription[0]);
    }
    ASSERT_EQ(S_OK, EnumCodePages(MIMECONTF_BROWSER, 0, pages));
    EXPECT_GE(pages.size(), 40u);
}

TEST(InternetUrlTest, RelativePagePathIsTakenFromTheCurrentFolder)
{
    char folder[4096] = {};
    ASSERT_NE(nullptr, getcwd(folder, sizeof folder));
    const std::string here = std::string("file://") + folder;
    EXPECT_EQ(here + "/img/a.gif", Combined("survey.htm", "img/a.gif"));
    EXPECT_EQ(here + "/a.gif", Combined("site/../survey.htm", "a.gif"));
    EXPECT_EQ("file:///pics/b.gif", Combined("survey.htm", "/pics/b.gif"));
    // Texts that are hardly addresses give an answer, never an exception.
    for (const char* base : {":", "x:", "file:", "//", "\\\\", "?", "#"}) {
        DWORD length = 0;
        InternetCombineUrl(base, "a.gif", nullptr, &length, ICU_NO_ENCODE);
        std::string buffer(length + 1, '\0');
        length = static_cast<DWORD>(buffer.size());
        EXPECT_NO_THROW(InternetCombineUrl(base, "a.gif", buffer.data(), &length, ICU_NO_ENCODE)) << base;
    }
}

TEST(MimeCodePagesTest, ACharsetNameOfAMailPartGivesTheCodePageItsBytesAreReadIn)
{
    const struct {
        const char* name;
        UINT codePage;
    } cases[] = {
        {"windows-1252", 1252}, {"Windows-1251", 1251}, {"\"Shift_JIS\"", 932}, {"x-sjis", 932},
        {"UTF-8", 65001},       {" utf8 ", 65001},      {"ISO-8859-1", 1252},   {"us-ascii", 1252},
        {"koi8-r", 20866},      {"ISO-8859-2", 28592},  {"cp1251", 1251},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MIMECSETINFO info{0xdeadbeef, 0xdeadbeef, {}};
        ASSERT_EQ(S_OK, GetCharsetInfo(c.name, info));
        EXPECT_EQ(c.codePage, info.uiInternetEncoding);
        EXPECT_TRUE(IsValidCodePage(info.uiInternetEncoding));
    }
    MIMECSETINFO info{};
    for (const char* unknown : {"", "x-nonsense", "utf-16"}) {
        SCOPED_TRACE(unknown);
        EXPECT_EQ(E_INVALIDARG, GetCharsetInfo(unknown, info));
    }
}
