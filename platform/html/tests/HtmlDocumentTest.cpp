// Pages as old editors wrote them, read through the document's elements.

#include "HtmlTestPage.h"

#include "html/HtmlForm.h"
#include "html/HtmlInput.h"
#include "html/HtmlSelect.h"
#include "html/HtmlStyle.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace pollenta::html;

namespace {

std::vector<std::string> ControlNames(const HtmlElement& form)
{
    std::vector<std::string> names;
    for (const HtmlElement& control : HtmlForm(form).Elements())
        names.push_back(control.TagName() + ":" + control.Name());
    return names;
}

}  // namespace

TEST(HtmlDocumentTest, FormBetweenTableAndRowKeepsTheControlsOfItsRows)
{
    HtmlDocument document;
    LoadPage(document,
             "<HTML><BODY>\r\n<TABLE BORDER=0>\r\n<FORM ACTION=mailto:a@b.com METHOD=POST>\r\n"
             "<TR><TD>Name<TD><INPUT TYPE=TEXT NAME=who SIZE=20>\r\n"
             "<TR><TD>Age<TD><SELECT NAME=age><OPTION>18-25<OPTION VALUE=2>26-40</SELECT>\r\n"
             "<TR><TD COLSPAN=2><TEXTAREA NAME=note ROWS=3></TEXTAREA><INPUT TYPE=SUBMIT VALUE=Send>\r\n"
             "</FORM>\r\n</TABLE>\r\n</BODY></HTML>\r\n");
    const std::vector<HtmlElement> forms = document.Forms();
    ASSERT_EQ(1u, forms.size());
    EXPECT_EQ((std::vector<std::string>{"INPUT:who", "SELECT:age", "TEXTAREA:note", "INPUT:"}), ControlNames(forms[0]));
    EXPECT_EQ("mailto:a@b.com", HtmlForm(forms[0]).Action());
}

TEST(HtmlDocumentTest, EachFormHasOnlyItsOwnControls)
{
    HtmlDocument document;
    LoadPage(document, "<FORM NAME=one><INPUT NAME=a><BUTTON NAME=b>Go</BUTTON></FORM>"
                       "<P><INPUT NAME=outside></P>"
                       "<FORM NAME=two><FIELDSET><INPUT NAME=c></FIELDSET><OBJECT NAME=d></OBJECT></FORM>");
    const std::vector<HtmlElement> forms = document.Forms();
    ASSERT_EQ(2u, forms.size());
    EXPECT_EQ((std::vector<std::string>{"INPUT:a", "BUTTON:b"}), ControlNames(forms[0]));
    EXPECT_EQ((std::vector<std::string>{"FIELDSET:", "INPUT:c", "OBJECT:d"}), ControlNames(forms[1]));
}

TEST(HtmlDocumentTest, InputTypeReadsAsTheClassicControlsKnowIt)
{
    HtmlDocument document;
    LoadPage(document, "<FORM><INPUT NAME=a><INPUT TYPE=CHECKBOX NAME=b><INPUT type=\" Radio \" NAME=c>"
                       "<INPUT TYPE=email NAME=d><INPUT TYPE=IMAGE SRC=go.gif><INPUT TYPE=Submit></FORM>");
    std::vector<std::string> types;
    for (const HtmlElement& control : HtmlForm(document.Forms().at(0)).Elements())
        types.push_back(HtmlInput(control).Type());
    EXPECT_EQ((std::vector<std::string>{"text", "checkbox", "radio", "text", "image", "submit"}), types);
}

TEST(HtmlDocumentTest, SelectGivesItsOptionsAndWhetherItIsMultiple)
{
    HtmlDocument document;
    LoadPage(document, "<FORM><SELECT NAME=s MULTIPLE><OPTGROUP LABEL=g><OPTION VALUE=1>  One\r\n  item </OPTION>"
                       "</OPTGROUP><OPTION></OPTION></SELECT><SELECT NAME=t></SELECT></FORM>");
    const std::vector<HtmlElement> controls = HtmlForm(document.Forms().at(0)).Elements();
    ASSERT_EQ(2u, controls.size());
    HtmlSelect multiple(controls[0]);
    EXPECT_EQ("select-multiple", multiple.Type());
    const std::vector<HtmlOption> options = multiple.Options();
    ASSERT_EQ(2u, options.size());
    EXPECT_EQ("One item", options[0].Text());
    EXPECT_EQ("1", options[0].Value());
    EXPECT_EQ("", options[1].Text());
    EXPECT_EQ("", options[1].Value());
    EXPECT_EQ("select-one", HtmlSelect(controls[1]).Type());
    EXPECT_TRUE(HtmlSelect(controls[1]).Options().empty());
}

TEST(HtmlDocumentTest, TextOfAWindows1251PageComesOutAsUtf8)
{
    HtmlDocument document;
    LoadPage(document, "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\">"
                       "<TITLE>\xC0\xED\xEA\xE5\xF2\xE0 2005</TITLE></HEAD><BODY><FORM>"
                       "<INPUT NAME=\xC8\xEC\xFF></FORM></BODY></HTML>");
    EXPECT_EQ("windows-1251", document.Charset());
    EXPECT_EQ("\xD0\x90\xD0\xBD\xD0\xBA\xD0\xB5\xD1\x82\xD0\xB0 2005", document.Title());
    EXPECT_EQ("\xD0\x98\xD0\xBC\xD1\x8F", HtmlForm(document.Forms().at(0)).Elements().at(0).Name());  // "Имя"
}

TEST(HtmlDocumentTest, PictureAttributesAndInlineStylesReadAsWritten)
{
    HtmlDocument document;
    LoadPage(document, "<BODY BACKGROUND=\"img/back ground.gif\"><TABLE BACKGROUND=t.gif><TR>"
                       "<TD STYLE=\"color:red; background: #fff url( 'cell.png' ) no-repeat\">x</TD>"
                       "<TD STYLE=\"BACKGROUND-IMAGE: url(a.gif); background: url(b.gif)\">y</TD></TR></TABLE>"
                       "<UL STYLE=\"list-style: square url(dot.gif)\"><LI>z</UL><IMG SRC=\"a&amp;b.gif\"></BODY>");
    std::vector<std::string> seen;
    for (const HtmlElement& element : document.All()) {
        for (const char* attribute : {"background", "src"}) {
            if (element.HasAttribute(attribute))
                seen.push_back(element.TagName() + "." + attribute + "=" + element.GetAttribute(attribute));
        }
        HtmlStyle style(element);
        if (!style.BackgroundImage().empty())
            seen.push_back(element.TagName() + ".backgroundImage=" + style.BackgroundImage());
        if (!style.ListStyleImage().empty())
            seen.push_back(element.TagName() + ".listStyleImage=" + style.ListStyleImage());
    }
    EXPECT_EQ((std::vector<std::string>{"BODY.background=img/back ground.gif", "TABLE.background=t.gif",
                                        "TD.backgroundImage=url(cell.png)", "TD.backgroundImage=url(a.gif)",
                                        "UL.listStyleImage=url(dot.gif)", "IMG.src=a&b.gif"}),
              seen);
}

TEST(HtmlDocumentTest, ChangingAStylePictureKeepsTheRestOfTheStyle)
{
    const struct {
        const char* style;
        const char* expected;
    } cases[] = {
        {"color:red; background: #fff url( 'cell.png' ) no-repeat",
         "color:red; background: #fff url('_kqwpic_001.png') no-repeat"},
        {"background-image:url(a.gif);color:red", "background-image:url('_kqwpic_001.png');color:red"},
        {"color:red;", "color:red; background-image: url('_kqwpic_001.png')"},
        {"", "background-image: url('_kqwpic_001.png')"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        HtmlDocument document;
        LoadPage(document, std::string("<P STYLE=\"") + c.style + "\">x</P>");
        HtmlElement paragraph;
        for (const HtmlElement& element : document.All())
            paragraph = element.Is("P") ? element : paragraph;
        HtmlStyle(paragraph).SetBackgroundImage("url('_kqwpic_001.png')");
        EXPECT_EQ(c.expected, paragraph.GetAttribute("style"));
    }
}

TEST(HtmlDocumentTest, MissingFileFailsBeforeAnythingIsParsed)
{
    pollenta::testsupport::TempFolder folder("pollenta-html");
    HtmlDocument document;
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), document.Load((folder.Path() / "none.htm").string()));
    EXPECT_FALSE(document.IsLoaded());
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), document.Load(folder.Path().string()));
}

TEST(HtmlDocumentTest, PagesThatAreNotHtmlStillLoadWithoutForms)
{
    const std::string cases[] = {
        std::string(),
        std::string("\0\0\0\x01\x02\xFF\xFE\x89PNG\r\n\x1A\n", 14),
        "just some text, no markup at all",
        "<<<FORM <INPUT NAME=\"unclosed <SELECT></TEXTAREA></FORM></FORM><!-- never closed",
        "\xEF\xBB\xBF",
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        HtmlDocument document;
        LoadPage(document, bytes);
        EXPECT_TRUE(document.IsLoaded());
        for (const HtmlElement& form : document.Forms())
            HtmlForm(form).Elements();
        EXPECT_NE(std::string::npos, document.Serialize().find("<META http-equiv=Content-Type"));
    }
}

TEST(HtmlDocumentTest, LargePageWithManyFieldsLoadsWhole)
{
    std::string page = "<HTML><BODY><FORM ACTION=mailto:x@y.z METHOD=POST><TABLE>";
    for (int i = 0; i < 1900; ++i)
        page += "<TR><TD>Question " + std::to_string(i) + "<TD><INPUT TYPE=TEXT NAME=q" + std::to_string(i) + ">";
    page += "</TABLE><INPUT TYPE=SUBMIT></FORM><P>" + std::string(20 * 1024 * 1024, 'x') + "</P></BODY></HTML>";
    HtmlDocument document;
    LoadPage(document, page);
    EXPECT_EQ(1901u, HtmlForm(document.Forms().at(0)).Elements().size());
    EXPECT_GT(document.Serialize().size(), 20u * 1024 * 1024);
}
