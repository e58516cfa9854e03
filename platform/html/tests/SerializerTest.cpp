// Pages written back: the markup other parts of the system search byte by
// byte, in the charset the page is saved in.

#include "HtmlTestPage.h"

#include "html/HtmlForm.h"
#include "html/HtmlInput.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

using namespace pollenta::html;

namespace {

std::size_t Count(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (std::size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1))
        ++count;
    return count;
}

const char* const kWindows1251Page =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n"
    "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\">\r\n"
    "<META http-equiv=Refresh content=600><META NAME=\"GENERATOR\" CONTENT=\"Microsoft FrontPage 4.0\">"
    "<TITLE>\xC0\xED\xEA\xE5\xF2\xE0</TITLE>\r\n"
    "<SCRIPT LANGUAGE=JavaScript><!--\r\nif (a < b && c > d) alert(\"&amp;\");\r\n//--></SCRIPT></HEAD>\r\n"
    "<BODY BGCOLOR=#FFFFFF><!-- keep me --><FORM ACTION=\"mailto:x@y.ru?subject=Q&amp;A\" METHOD=POST>"
    "<INPUT TYPE=CHECKBOX NAME=c1 CHECKED>\xC4\xE0&nbsp;&lt;1&gt;<INPUT TYPE=SUBMIT VALUE=\"\xCE\xEA\"></FORM>"
    "</BODY></HTML>\r\n";

}  // namespace

TEST(SerializerTest, TagsAreUpperCaseAndTheHeadNamesTheCharset)
{
    HtmlDocument document;
    LoadPage(document, kWindows1251Page);
    const std::string text = document.Serialize();
    EXPECT_EQ(0u, text.find("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n<HTML><HEAD>"
                            "<META http-equiv=Content-Type content=\"text/html; charset=windows-1251\">"))
        << text;
    EXPECT_EQ(1u, Count(text, "Content-Type")) << text;
    EXPECT_NE(std::string::npos, text.find("<META http-equiv=Refresh content=600>")) << text;
    EXPECT_NE(std::string::npos, text.find("<META name=GENERATOR content=\"Microsoft FrontPage 4.0\">")) << text;
    EXPECT_NE(std::string::npos, text.find("<TITLE>\xC0\xED\xEA\xE5\xF2\xE0</TITLE>")) << text;
    EXPECT_NE(std::string::npos, text.find("<!--\r\nif (a < b && c > d) alert(\"&amp;\");\r\n//--></SCRIPT>"))
        << text;
    EXPECT_NE(std::string::npos, text.find("<!-- keep me -->")) << text;
    EXPECT_NE(std::string::npos, text.find("<FORM action=\"mailto:x@y.ru?subject=Q&amp;A\" method=POST>")) << text;
    EXPECT_NE(std::string::npos, text.find("<INPUT type=CHECKBOX name=c1 checked>\xC4\xE0&nbsp;&lt;1&gt;")) << text;
    EXPECT_NE(std::string::npos, text.find("<INPUT type=SUBMIT value=\"\xCE\xEA\"></FORM>")) << text;
    EXPECT_EQ(std::string::npos, text.find("</INPUT>")) << text;
}

TEST(SerializerTest, ChangedCharsetRewritesBytesAndMeta)
{
    HtmlDocument document;
    LoadPage(document, kWindows1251Page);
    ASSERT_TRUE(document.SetCharset("UTF-8"));
    EXPECT_EQ("utf-8", document.Charset());
    const std::string text = document.Serialize();
    EXPECT_NE(std::string::npos, text.find("<META http-equiv=Content-Type content=\"text/html; charset=utf-8\">"));
    EXPECT_NE(std::string::npos, text.find("<TITLE>\xD0\x90\xD0\xBD\xD0\xBA\xD0\xB5\xD1\x82\xD0\xB0</TITLE>"));

    EXPECT_FALSE(document.SetCharset("x-nonsense"));
    EXPECT_EQ("utf-8", document.Charset());
}

TEST(SerializerTest, PageWithoutHeadOrGeneratorGetsBoth)
{
    HtmlDocument document;
    LoadPage(document, "<BODY><FORM><INPUT NAME=a></FORM></BODY>");
    const std::string text = document.Serialize();
    EXPECT_EQ(0u, text.find("<HTML><HEAD><META http-equiv=Content-Type content=\"text/html; charset=utf-8\">"
                            "<META name=GENERATOR content=\"Pollenta HTML 1.0\"></HEAD><BODY>"))
        << text;
}

TEST(SerializerTest, SavedPageLoadsAgainWithTheSameControls)
{
    pollenta::testsupport::TempFolder folder("pollenta-html");
    const std::string path = folder.Write("survey.htm", kWindows1251Page).string();
    HtmlDocument document;
    ASSERT_EQ(S_OK, document.Load(path));
    HtmlInput(HtmlForm(document.Forms().at(0)).Elements().at(0)).SetValue("\"quoted\" & <b>");
    const std::string saved = (folder.Path() / "saved.htm").string();
    ASSERT_EQ(S_OK, document.Save(saved));

    HtmlDocument again;
    ASSERT_EQ(S_OK, again.Load(saved));
    EXPECT_EQ("windows-1251", again.Charset());
    const std::vector<HtmlElement> controls = HtmlForm(again.Forms().at(0)).Elements();
    ASSERT_EQ(2u, controls.size());
    EXPECT_EQ("\"quoted\" & <b>", HtmlInput(controls[0]).Value());
    EXPECT_EQ("\xD0\x9E\xD0\xBA", HtmlInput(controls[1]).Value());
    EXPECT_EQ(document.Serialize(), again.Serialize());
}

TEST(SerializerTest, SavingIntoAMissingFolderFails)
{
    pollenta::testsupport::TempFolder folder("pollenta-html");
    HtmlDocument document;
    LoadPage(document, "<P>x</P>");
    EXPECT_TRUE(FAILED(document.Save((folder.Path() / "no" / "such" / "page.htm").string())));
    EXPECT_NE(std::string::npos, document.LastError().find("page.htm"));
}

TEST(SerializerTest, Utf16PageKeepsItsByteOrderMarkAndReadsAgain)
{
    std::string bytes = "\xFF\xFE";
    std::u16string wide = u"<HTML><BODY><FORM><INPUT NAME=\u0418\u043C\u044F></FORM></BODY></HTML>";
    for (char16_t c : wide) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    HtmlDocument document;
    LoadPage(document, bytes);
    EXPECT_EQ("utf-16le", document.Charset());
    const std::string saved = document.Serialize();
    EXPECT_EQ(0u, saved.find("\xFF\xFE<\0H\0T\0M\0L\0"));
    HtmlDocument again;
    LoadPage(again, saved);
    EXPECT_EQ("\xD0\x98\xD0\xBC\xD1\x8F", HtmlForm(again.Forms().at(0)).Elements().at(0).Name());
    EXPECT_EQ(saved, again.Serialize());
}
