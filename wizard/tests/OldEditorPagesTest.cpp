// Survey pages as old editors and hand-written sites wrote them, made into
// projects. What a page posts is read by a browser's rules (Python's own
// HTML tokenizer and the parsing algorithm's form element pointer, in
// browser_posts.py), never by our parser: the project's page must post
// every question the original page posts, and the hidden fields.

#include "CreatorTestFixture.h"

#include "wizard/WizardIds.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

Names BrowserPosts(const fs::path& page, const std::string& encoding)
{
    const std::string command =
        "/usr/bin/python3 '" BROWSER_POSTS_SCRIPT "' '" + page.string() + "' '" + encoding + "'";
    Names names;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return names;
    char line[512];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string name = line;
        while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
            name.pop_back();
        names.push_back(name);
    }
    pclose(pipe);
    return names;
}

struct OldPage {
    const char* what;
    const char* page;
    const char* codePage;  // as the code-page list names it
    const char* encoding;  // Python's name of what a browser decodes the page as
    Names posted;          // what a browser posts, for a reader of this test
    const char* shown;     // UTF-8 text the project's page must show, if any
};

class OldEditorPagesTest : public CreatorTestFixture {
protected:
    // The page made into a project; its index.html, or "" when creation failed.
    std::string MakeProject(const std::string& page, const char* codePage)
    {
        m_page = m_folder.Write("site/survey.htm", page);
        Prepare(m_page.string(), codePage);
        m_settings.m_strEmail = "answers@example.com";
        if (m_settings.m_strProjectName.empty())
            m_settings.m_strProjectName = "Old page";
        if (Create() != 1)
            return {};
        return ReadFile(ProjectPage());
    }
    fs::path ProjectPage() { return DataDir() / std::to_string(Projects().at(0)) / "index.html"; }
    std::string Columns() const
    {
        return Scalar("SELECT group_concat(name, ',') FROM pragma_table_info('Survey Results')");
    }

    fs::path m_page;
};

class OldPagePostsTest : public OldEditorPagesTest, public ::testing::WithParamInterface<OldPage> {};

const OldPage kOldPages[] = {
    {"FrontPage table with the form split across cells",
     "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">"
     "<TITLE>Split</TITLE></HEAD><BODY>\r\n<TABLE WIDTH=\"100%\"><TR><TD><FORM ACTION=\"mailto:a@example.com\" "
     "METHOD=POST><FONT FACE=Arial>Name</FONT><INPUT NAME=who></TD>\r\n<TD><INPUT NAME=mail></TD></TR>\r\n"
     "<TR><TD><SELECT NAME=age><OPTION>1<OPTION>2</SELECT></TD><TD><INPUT TYPE=SUBMIT VALUE=Send></TD></TR>"
     "</TABLE></FORM></BODY></HTML>",
     "windows-1252",
     "cp1252",
     {"who", "mail", "age"}},
    {"center and font wrappers with the button after the break",
     "<HTML><HEAD><META HTTP-EQUIV=Content-Type CONTENT=\"text/html; charset=windows-1252\"></HEAD><BODY>"
     "<CENTER><FORM METHOD=POST ACTION=mailto:a@example.com><FONT SIZE=2>Q1 <INPUT NAME=q1></CENTER>\r\n"
     "<FONT SIZE=2>Q2 <INPUT TYPE=RADIO NAME=q2 VALUE=y><INPUT TYPE=RADIO NAME=q2 VALUE=n></FONT>\r\n"
     "<DIV ALIGN=center><TEXTAREA NAME=q3></TEXTAREA><INPUT TYPE=SUBMIT></DIV></FORM></BODY></HTML>",
     "windows-1252",
     "cp1252",
     {"q1", "q2", "q3"}},
    {"a search form nested in the survey's table",
     "<HTML><HEAD><META HTTP-EQUIV=Content-Type CONTENT=\"text/html; charset=windows-1252\"></HEAD><BODY>"
     "<FORM ACTION=mailto:a@example.com><TABLE><TR><TD><INPUT NAME=first></TD><TD><FORM ACTION=search.cgi>"
     "<INPUT NAME=second><INPUT TYPE=SUBMIT></TD></TR></TABLE></FORM><INPUT NAME=outside></BODY></HTML>",
     "windows-1252",
     "cp1252",
     {"first", "second"}},
    {"Word's Save as Web Page: windows-1252 labelled iso-8859-1",
     "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\"><head>\r\n<meta http-equiv=Content-Type "
     "content=\"text/html; charset=iso-8859-1\">\r\n<meta name=Generator content=\"Microsoft Word 9\">"
     "<title>Umfrage</title>\r\n<!--[if gte mso 9]><xml><o:DocumentProperties><o:Author>x</o:Author>"
     "</o:DocumentProperties></xml><![endif]--></head>\r\n<body lang=EN-GB style='tab-interval:36.0pt'>"
     "<div class=Section1><form action=\"mailto:a@example.com\" method=post>\r\n<p class=MsoNormal>"
     "\x93Price\x94 in \x80<o:p></o:p></p>\r\n<p class=MsoNormal><input name=price size=10></p>\r\n"
     "<p class=MsoNormal><![if !supportEmptyParas]>&nbsp;<![endif]><o:p></o:p></p>\r\n"
     "<p><input type=submit value=Send></p></form></div></body></html>",
     "iso-8859-1",
     "cp1252",
     {"price"}},
    {"an old form left in a comment and a form end in a script string",
     "<HTML><HEAD><META HTTP-EQUIV=Content-Type CONTENT=\"text/html; charset=windows-1252\"></HEAD><BODY>"
     "<!-- <FORM ACTION=old.cgi><INPUT NAME=old></FORM> --><SCRIPT>var s = '</FORM>';</SCRIPT>"
     "<FORM ACTION=mailto:a@example.com><INPUT NAME=now><INPUT TYPE=SUBMIT></FORM></BODY></HTML>",
     "windows-1252",
     "cp1252",
     {"now"}},
};

}  // namespace

TEST_P(OldPagePostsTest, ProjectPagePostsEveryQuestionTheOriginalPosts)
{
    const OldPage& page = GetParam();
    const std::string saved = MakeProject(page.page, page.codePage);
    ASSERT_FALSE(saved.empty()) << ErrorList();
    const Names original = BrowserPosts(m_page, page.encoding);
    EXPECT_EQ(page.posted, original);
    Names expected = {"kqProjectID"};
    expected.insert(expected.end(), original.begin(), original.end());
    EXPECT_EQ(expected, BrowserPosts(ProjectPage(), "utf-8")) << saved;
    std::string columns;
    for (const std::string& name : original)
        columns += (columns.empty() ? "" : ",") + name;
    EXPECT_EQ(columns, Columns());
    if (page.shown)
        EXPECT_NE(std::string::npos, saved.find(page.shown)) << saved;
}

INSTANTIATE_TEST_SUITE_P(OldEditors, OldPagePostsTest, ::testing::ValuesIn(kOldPages));

TEST_F(OldEditorPagesTest, ShiftJisPageKeepsItsTildePathsAndCharacters)
{
    m_folder.Write("site/~hana/logo.gif", "GIF89a hana");
    const std::string saved =
        MakeProject("<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">"
                    "<TITLE>\x83\x41\x83\x93\x83\x50\x81\x5B\x83\x67</TITLE></HEAD><BODY>"
                    "<IMG SRC=\"~hana/logo.gif\"><FORM ACTION=mailto:a@example.com>\x87\x40 <INPUT NAME=q1>"
                    "<INPUT TYPE=SUBMIT></FORM></BODY></HTML>",
                    "shift_jis");
    ASSERT_FALSE(saved.empty()) << ErrorList();
    EXPECT_EQ("GIF89a hana", ReadFile(ProjectPage().parent_path() / "_kqwpic_001.gif"));
    EXPECT_NE(std::string::npos, saved.find("<TITLE>\xE3\x82\xA2\xE3\x83\xB3\xE3\x82\xB1\xE3\x83\xBC\xE3\x83\x88"
                                            "</TITLE>"))
        << saved;                                                                       // "アンケート"
    EXPECT_NE(std::string::npos, saved.find("\xE2\x91\xA0 <INPUT name=q1>")) << saved;  // "①"
}

TEST_F(OldEditorPagesTest, FieldNamesComeFromTheCodePageChosenForTheProject)
{
    // No META: the page reads as windows-1252 until the user names its
    // code page, and its field names are Cyrillic.
    const std::string saved = MakeProject("<HTML><BODY><FORM ACTION=mailto:a@example.com>\xC8\xEC\xFF "
                                          "<INPUT NAME=\"\xC8\xEC\xFF\"><INPUT NAME=plain><INPUT TYPE=SUBMIT>"
                                          "</FORM></BODY></HTML>",
                                          "windows-1251");
    ASSERT_FALSE(saved.empty()) << ErrorList();
    EXPECT_EQ("\xD0\x98\xD0\xBC\xD1\x8F,plain", Columns());  // "Имя"
    EXPECT_EQ((Names{"kqProjectID", "\xD0\x98\xD0\xBC\xD1\x8F", "plain"}), BrowserPosts(ProjectPage(), "utf-8"));
}

TEST_F(OldEditorPagesTest, PicturesAreFoundAndCopiedAsTheCheckFoundThem)
{
    m_folder.Write("site/img/counter", "GIF89a counter");
    m_folder.Write("site/img/a%41.gif", "GIF89a percent");
    m_folder.Write("site/img/tile.jpg", "\xFF\xD8\xFF\xE0 tile");
    const std::string saved =
        MakeProject("<HTML><HEAD><META HTTP-EQUIV=Content-Type CONTENT=\"text/html; charset=windows-1252\">"
                    "<STYLE TYPE=\"text/css\">\r\nTD.q { background-image: url( 'img/tile.jpg' ) }\r\n</STYLE></HEAD>"
                    "<BODY><IMG SRC=img/counter><IMG SRC=img/a%2541.gif><FORM ACTION=mailto:a@example.com "
                    "ENCTYPE=text/plain><INPUT NAME=q><BUTTON TYPE=submit>Send</BUTTON></FORM></BODY></HTML>",
                    "windows-1252");
    ASSERT_FALSE(saved.empty()) << ErrorList();
    const fs::path folder = ProjectPage().parent_path();
    EXPECT_EQ("\xFF\xD8\xFF\xE0 tile", ReadFile(folder / "_kqwpic_001.jpg"));
    EXPECT_EQ("GIF89a counter", ReadFile(folder / "_kqwpic_002.gif"));
    EXPECT_EQ("GIF89a percent", ReadFile(folder / "_kqwpic_003.gif"));
    EXPECT_NE(std::string::npos, saved.find("TD.q { background-image: url('_kqwpic_001.jpg') }")) << saved;
    EXPECT_NE(std::string::npos, saved.find("enctype=\"application/x-www-form-urlencoded\"")) << saved;
}

TEST_F(OldEditorPagesTest, AFileThatIsNoPictureIsNotCopied)
{
    m_folder.Write("conf/ld.so.conf", "include /etc/ld.so.conf.d/*.conf\n");
    m_page = m_folder.Write("site/survey.htm", "<BODY><FORM ACTION=mailto:a@example.com><INPUT NAME=q>"
                                               "<INPUT TYPE=SUBMIT></FORM></BODY>");
    Prepare(m_page.string(), "utf-8");
    m_settings.m_strProjectName = "Changed page";
    // A page changed after its check names a file that is no picture.
    m_folder.Write("site/survey.htm", "<BODY BACKGROUND=\"../conf/ld.so.conf\"><FORM ACTION=mailto:a@example.com>"
                                      "<INPUT NAME=q><INPUT TYPE=SUBMIT></FORM></BODY>");
    m_document.Load(m_page.string());
    EXPECT_EQ(0, Create());
    EXPECT_NE(std::string::npos, ErrorList().find("ld.so.conf, which the HTML-page shows as a picture, is not a "
                                                  "picture."))
        << ErrorList();
    ExpectNothingLeft();
}

TEST_F(OldEditorPagesTest, DeeplyNestedPageBecomesAProject)
{
    std::string page = "<HTML><BODY><FORM ACTION=mailto:a@example.com><INPUT NAME=q>";
    for (int i = 0; i < 25000; ++i)
        page += "<FONT COLOR=red>";
    page += "deep<INPUT TYPE=SUBMIT></FORM></BODY></HTML>";
    const std::string saved = MakeProject(page, "utf-8");
    ASSERT_FALSE(saved.empty()) << ErrorList();
    EXPECT_EQ((Names{"kqProjectID", "q"}), BrowserPosts(ProjectPage(), "utf-8"));
}
