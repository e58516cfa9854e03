// The project creator run headless from a settings record, against the
// project library created by ProgID and a real SQLite answer database.

#include "CreatorTestFixture.h"

#include "wizard/WizardIds.h"

#include "ado/AdoCreate.h"
#include "html/HtmlDocument.h"
#include "html/HtmlForm.h"
#include "html/HtmlInput.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A survey as an old editor wrote it in windows-1251: upper-case tags,
// unquoted attributes, the form between TABLE and TR, every kind of
// control, pictures in subfolders and a CSS background.
const char* const kSurveyPage =
    "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\">\r\n"
    "<META HTTP-EQUIV=Pragma CONTENT=no-cache><META NAME=\"GENERATOR\" CONTENT=\"Microsoft FrontPage "
    "4.0\"><TITLE>\xC0\xED\xEA\xE5\xF2\xE0</TITLE></HEAD>\r\n"
    "<BODY BACKGROUND=img/bg/paper.jpg><IMG SRC=img/logo.GIF ALT=\"\xCB\xEE\xE3\xEE\">\r\n"
    "<TABLE BORDER=0>\r\n<FORM ACTION=\"mailto:old@example.com?subject=x\" METHOD=GET>\r\n"
    "<TR><TD STYLE=\"background: url('img/css/tile.png') repeat-x\">\xC8\xEC\xFF<TD><INPUT TYPE=TEXT NAME=who>\r\n"
    "<TR><TD>Code<TD><INPUT TYPE=PASSWORD NAME=code>\r\n"
    "<TR><TD>Agree<TD><INPUT TYPE=CHECKBOX NAME=agree VALUE=yes>\r\n"
    "<TR><TD>Sex<TD><INPUT TYPE=RADIO NAME=sex VALUE=m><INPUT TYPE=RADIO NAME=sex VALUE=f>\r\n"
    "<TR><TD>Age<TD><SELECT NAME=age><OPTION>18-25<OPTION VALUE=2>26-40</SELECT>\r\n"
    "<TR><TD>Note<TD><TEXTAREA NAME=\"note text\" ROWS=3></TEXTAREA><INPUT TYPE=HIDDEN NAME=src VALUE=mail>\r\n"
    "<TR><TD COLSPAN=2><INPUT TYPE=BUTTON VALUE=Help><INPUT TYPE=FILE NAME=attach>"
    "<INPUT TYPE=IMAGE NAME=pic SRC=img/go.gif><INPUT TYPE=SUBMIT NAME=send VALUE=Send><INPUT TYPE=RESET>\r\n"
    "</FORM>\r\n</TABLE><IMG SRC=\"../outside folder/far.gif\"></BODY></HTML>\r\n";

// ADO that makes the objects of the first command and then runs out, so
// that undoing the table fails after the table was made.
int g_adoObjectsLeft = 0;
HRESULT AdoThatRunsOut(REFCLSID clsid, REFIID iid, void** object)
{
    if (g_adoObjectsLeft-- <= 0)
        return E_OUTOFMEMORY;
    pollenta::ado::SetCreateHook(nullptr);
    const HRESULT hr = AdoCreateInstance(clsid, iid, object);
    pollenta::ado::SetCreateHook(AdoThatRunsOut);
    return hr;
}

class CreatorTest : public CreatorTestFixture {
protected:
    std::string WriteSurvey(const std::string& page = kSurveyPage)
    {
        m_folder.Write("site/img/logo.GIF", "GIF89a logo");
        m_folder.Write("site/img/bg/paper.jpg", "\xFF\xD8\xFF\xE0JFIF paper");
        m_folder.Write("site/img/css/tile.png", "\x89PNG\r\n\x1A\n tile");
        m_folder.Write("site/img/go.gif", "GIF89a go");
        m_folder.Write("outside folder/far.gif", "GIF89a far");
        return m_folder.Write("site/survey.htm", page).string();
    }
    void PrepareSurvey()
    {
        Prepare(WriteSurvey());
        m_settings.m_strEmail = "answers@example.com";
        m_settings.m_strSubject = "Staff & pay #1?";
        m_settings.m_lCollectRecipients = 1;
        m_settings.m_lCollectSenders = 1;
    }
};

}  // namespace

TEST_F(CreatorTest, SurveyPageBecomesAFinishedProjectWithPageTableAndPictures)
{
    PrepareSurvey();
    EXPECT_EQ("\xD0\x90\xD0\xBD\xD0\xBA\xD0\xB5\xD1\x82\xD0\xB0", m_settings.m_strProjectName);  // "Анкета"
    ASSERT_EQ(1, Create()) << ErrorList();
    EXPECT_EQ("", ErrorList());

    const std::vector<LONG> projects = Projects();
    ASSERT_EQ(1u, projects.size());
    const LONG id = projects[0];
    EXPECT_EQ("1", Property(id, "Completed"));
    EXPECT_EQ("answers@example.com", Property(id, "Email"));
    EXPECT_EQ("Staff & pay #1?", Property(id, "Subject"));
    EXPECT_EQ("[Survey Results]", StoredValue(id, "RecordSource"));
    EXPECT_EQ(m_settings.m_strConnectionString, StoredValue(id, "ConnectionString"));
    EXPECT_EQ("1", Property(id, "CollectSenders"));
    const fs::path folder = DataDir() / std::to_string(id);

    const std::string saved = ReadFile(folder / "index.html");
    EXPECT_EQ(0u, saved.find("<HTML><HEAD><META http-equiv=Content-Type content=\"text/html; charset=utf-8\">"));
    EXPECT_NE(std::string::npos, saved.find("<META name=GENERATOR content=\"Pollenta; https://")) << saved;
    EXPECT_EQ(std::string::npos, saved.find("FrontPage")) << saved;
    EXPECT_NE(std::string::npos, saved.find("<META http-equiv=Pragma content=no-cache>")) << saved;
    EXPECT_NE(std::string::npos, saved.find("<TITLE>\xD0\x90\xD0\xBD\xD0\xBA\xD0\xB5\xD1\x82\xD0\xB0</TITLE>"));
    EXPECT_NE(std::string::npos,
              saved.find("method=POST accept-charset=UTF-8><INPUT type=hidden value=" + std::to_string(id) +
                         " name=kqProjectID><INPUT type=hidden value=\"%%RECIPIENT%%\" name=RecipientEmail>"))
        << saved;
    EXPECT_EQ(std::string::npos, saved.find("temp.html"));
    EXPECT_FALSE(fs::exists(folder / "temp.html"));

    pollenta::html::HtmlDocument page;
    ASSERT_EQ(S_OK, page.Load((folder / "index.html").string()));
    EXPECT_EQ("utf-8", page.Charset());
    ASSERT_EQ(1u, page.Forms().size());
    pollenta::html::HtmlForm form(page.Forms()[0]);
    EXPECT_EQ("mailto:answers@example.com?Subject=Staff%20%26%20pay%20%231%3F", form.Action());
    EXPECT_EQ("POST", form.GetAttribute("method"));
    EXPECT_EQ("UTF-8", form.GetAttribute("accept-charset"));
    std::vector<std::string> names;
    for (const auto& control : form.Elements())
        names.push_back(control.Name());
    EXPECT_EQ((std::vector<std::string>{"kqProjectID", "RecipientEmail", "who", "code", "agree", "sex", "sex", "age",
                                        "note text", "src", "Field001", "attach", "pic", "", ""}),
              names);

    EXPECT_EQ("GIF89a logo", ReadFile(folder / "_kqwpic_002.gif"));
    EXPECT_EQ("\xFF\xD8\xFF\xE0JFIF paper", ReadFile(folder / "_kqwpic_001.jpg"));
    EXPECT_EQ("\x89PNG\r\n\x1A\n tile", ReadFile(folder / "_kqwpic_003.png"));
    EXPECT_EQ("GIF89a go", ReadFile(folder / "_kqwpic_004.gif"));
    EXPECT_EQ("GIF89a far", ReadFile(folder / "_kqwpic_005.gif"));
    EXPECT_EQ(6, std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    EXPECT_NE(std::string::npos, saved.find("<BODY background=_kqwpic_001.jpg>")) << saved;
    EXPECT_NE(std::string::npos, saved.find("src=_kqwpic_002.gif")) << saved;
    EXPECT_NE(std::string::npos, saved.find("background: url('_kqwpic_003.png') repeat-x")) << saved;

    EXPECT_EQ("RecipientEmail:VARCHAR(50),SenderEmail:VARCHAR(50),age:VARCHAR(100),agree:VARCHAR(100),"
              "code:VARCHAR(100),note text:VARCHAR(255),sex:VARCHAR(100),src:VARCHAR(100),who:VARCHAR(100)",
              Scalar("SELECT group_concat(name || ':' || type, ',') FROM (SELECT name, type FROM "
                     "pragma_table_info('Survey Results') ORDER BY name)"));
    EXPECT_NE(std::string::npos, m_settings.m_strSqlRequest.find("CREATE TABLE [Survey Results] (\r\n\t["));
}

TEST_F(CreatorTest, MissingPictureLeavesNoProjectNoTableNoFolder)
{
    PrepareSurvey();
    fs::remove(m_folder.Path() / "site/img/css/tile.png");
    EXPECT_EQ(0, Create());
    EXPECT_NE(std::string::npos, ErrorList().find("File with the picture (")) << ErrorList();
    ExpectNothingLeft();
}

TEST_F(CreatorTest, TableThatCannotBeCreatedRollsTheProjectBack)
{
    PrepareSurvey();
    m_settings.m_strRecordSource = "Existing";
    EXPECT_EQ(0, Create());
    ASSERT_GE(m_errors.GetCount(), 1u);
    EXPECT_EQ(WE_E_SQL, m_errors.GetId(0));
    EXPECT_NE(std::string::npos, m_errors.GetText(0).find("already exists")) << ErrorList();
    EXPECT_EQ("1", Scalar("SELECT count(*) FROM sqlite_master WHERE name = 'Existing'"));
    ExpectNothingLeft();
}

TEST_F(CreatorTest, MoreColumnsThanTheDatabaseAllowsRollBackCompletely)
{
    std::string page = "<FORM ACTION=mailto:a@b.cd METHOD=POST><TABLE>";
    for (int i = 0; i < 2001; ++i)
        page += "<TR><TD><INPUT NAME=q" + std::to_string(i) + ">";
    page += "</TABLE><INPUT TYPE=SUBMIT></FORM>";
    Prepare(m_folder.Write("big/survey.htm", page).string(), "utf-8");
    m_settings.m_strProjectName = "Big survey";
    EXPECT_EQ(0, Create());
    ASSERT_GE(m_errors.GetCount(), 1u);
    EXPECT_EQ(WE_E_SQL, m_errors.GetId(0)) << ErrorList();
    ExpectNothingLeft();
}

TEST_F(CreatorTest, NameOfAFinishedProjectIsRefusedWithoutRegardToCase)
{
    PrepareSurvey();
    ASSERT_EQ(1, Create()) << ErrorList();
    m_settings.m_strProjectName = "\xD0\xB0\xD0\xBD\xD0\xBA\xD0\xB5\xD1\x82\xD0\xB0";  // "анкета"
    m_settings.m_strRecordSource = "Second";
    EXPECT_EQ(0, Create());
    ASSERT_EQ(1u, m_errors.GetCount()) << ErrorList();
    EXPECT_EQ(WE_E_PROJECT_EXISTS, m_errors.GetId(0));
    EXPECT_EQ("Project with this name already exists.", m_errors.GetText(0));
    EXPECT_EQ(1u, Projects().size());
}

TEST_F(CreatorTest, PreparingModeOnlyWritesTheRequest)
{
    PrepareSurvey();
    m_settings.m_strRecordSource = "Answers2005";
    ASSERT_EQ(1, Create(CWEProjectCreator::kPreparing)) << ErrorList();
    EXPECT_EQ(0u, m_settings.m_strSqlRequest.find("CREATE TABLE [Answers2005] (\r\n\t["));
    EXPECT_NE(std::string::npos, m_settings.m_strSqlRequest.find("[SenderEmail] VARCHAR(50)"));
    EXPECT_NE(std::string::npos, m_settings.m_strSqlRequest.find(",\r\n\t[note text] VARCHAR(255)"));
    EXPECT_EQ(')', m_settings.m_strSqlRequest.back());
    // Columns follow the form, then the collected addresses.
    std::vector<std::string> columns;
    const std::string& request = m_settings.m_strSqlRequest;
    for (std::size_t open = request.find("\t["); open != std::string::npos; open = request.find("\t[", open + 1))
        columns.push_back(request.substr(open + 2, request.find(']', open) - open - 2));
    EXPECT_EQ((std::vector<std::string>{"who", "code", "agree", "sex", "age", "note text", "src", "RecipientEmail",
                                        "SenderEmail"}),
              columns);
    EXPECT_TRUE(Projects().empty());
    EXPECT_EQ("0", Scalar("SELECT count(*) FROM sqlite_master WHERE name = 'Answers2005'"));
}

TEST_F(CreatorTest, EditedRequestMissingNamesCreatesNothing)
{
    PrepareSurvey();
    m_settings.m_strSqlRequest = "CREATE TABLE Other (who VARCHAR(10))";
    m_settings.m_lSqlEdited = 1;
    EXPECT_EQ(0, Create());
    EXPECT_NE(std::string::npos, ErrorList().find("The name of the \"Survey Results\" table is missing"));
    EXPECT_NE(std::string::npos, ErrorList().find("The name of the \"age\" field is missing"));
    EXPECT_EQ(std::string::npos, ErrorList().find("\"who\" field"));
    ExpectNothingLeft();
    EXPECT_EQ("0", Scalar("SELECT count(*) FROM sqlite_master WHERE name = 'Other'"));
}

TEST_F(CreatorTest, FieldNamesFromThePageNeverReachSqlUnquoted)
{
    Prepare(m_folder
                .Write("evil/survey.htm",
                       "<FORM ACTION=mailto:a@b.cd><INPUT NAME=\"a]);DROP TABLE Existing;--\">"
                       "<INPUT NAME='b\"c'><INPUT NAME=\"-x\"><INPUT NAME=\"\xD0\x98\xD0\xBC\xD1\x8F\"><INPUT "
                       "NAME=\"select\"><INPUT TYPE=SUBMIT></FORM>")
                .string(),
            "utf-8");
    m_settings.m_strProjectName = "Evil";
    m_settings.m_strRecordSource = "It's [mine]";
    ASSERT_EQ(1, Create()) << ErrorList();
    EXPECT_EQ("1", Scalar("SELECT count(*) FROM sqlite_master WHERE name = 'Existing'"));
    EXPECT_EQ("-x,a]);DROP TABLE Existing;--,b\"c,select,\xD0\x98\xD0\xBC\xD1\x8F",
              Scalar("SELECT group_concat(name, ',') FROM (SELECT name FROM pragma_table_info('It''s [mine]') "
                     "ORDER BY name)"));
}

TEST_F(CreatorTest, PageWithNineteenHundredFieldsBecomesAProject)
{
    std::string page = "<HTML><BODY><TABLE><FORM ACTION=mailto:a@b.cd METHOD=POST>";
    for (int i = 0; i < 1900; ++i)
        page += "<TR><TD>Q" + std::to_string(i) + "<TD><INPUT NAME=q" + std::to_string(i) + ">";
    page += "<TR><TD><INPUT TYPE=SUBMIT></FORM></TABLE></BODY></HTML>";
    Prepare(m_folder.Write("many/survey.htm", page).string(), "utf-8");
    EXPECT_EQ(1900u, m_fields.GetCount());
    m_settings.m_strProjectName = "Many questions";
    ASSERT_EQ(1, Create()) << ErrorList();
    EXPECT_EQ("1900", Scalar("SELECT count(*) FROM pragma_table_info('Survey Results')"));
}

TEST_F(CreatorTest, ChosenCodePageReadsAPageThatNamesNone)
{
    // No META: the bytes are not UTF-8, so they first read as windows-1252;
    // the user says they are windows-1251.
    Prepare(m_folder
                .Write("plain/survey.htm", "<FORM ACTION=mailto:a@b.cd>\xC2\xEE\xEF\xF0\xEE\xF1"
                                           "<INPUT NAME=q><INPUT TYPE=SUBMIT></FORM>")
                .string(),
            "windows-1251");
    EXPECT_EQ("windows-1252", m_document.Document()->Charset());
    m_settings.m_strProjectName = "Plain";
    ASSERT_EQ(1, Create()) << ErrorList();
    const std::string saved = ReadFile(DataDir() / std::to_string(Projects().at(0)) / "index.html");
    EXPECT_NE(std::string::npos, saved.find("\xD0\x92\xD0\xBE\xD0\xBF\xD1\x80\xD0\xBE\xD1\x81<INPUT name=q>"))
        << saved;  // "Вопрос"
}

TEST_F(CreatorTest, FailedTableUndoIsRecordedAndTheProjectIsStillDeleted)
{
    PrepareSurvey();
    fs::remove(m_folder.Path() / "site/img/go.gif");
    g_adoObjectsLeft = 2;
    pollenta::ado::SetCreateHook(AdoThatRunsOut);
    const int created = Create();
    pollenta::ado::SetCreateHook(nullptr);
    EXPECT_EQ(0, created);
    EXPECT_NE(std::string::npos, ErrorList().find("File with the picture (")) << ErrorList();
    EXPECT_NE(std::string::npos, ErrorList().find("Fatal error while creating the \"Ado20::_Connection\" object."))
        << ErrorList();
    EXPECT_TRUE(Projects().empty());
    EXPECT_EQ("1", Scalar("SELECT count(*) FROM sqlite_master WHERE name = 'Survey Results'"));
}
