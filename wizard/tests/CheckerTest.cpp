// The check of the page the user chose, and the fields it yields, on page
// files written the way old editors wrote them.

#include "wizard/CWEException.h"
#include "wizard/CWEFieldsDataSet.h"
#include "wizard/CWEHTMLChecker.h"
#include "wizard/ColumnNames.h"
#include "wizard/WizardIds.h"

#include "html/HtmlForm.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

class CheckerTest : public ::testing::Test {
protected:
    DWORD Check(const std::string& page)
    {
        m_path = m_folder.Write("survey.htm", page).string();
        return CWEHTMLChecker().Check(m_document, m_path, m_errors, m_settings);
    }
    std::vector<DWORD> Ids() const
    {
        std::vector<DWORD> ids;
        for (std::size_t i = 0; i < m_errors.GetCount(); ++i)
            ids.push_back(m_errors.GetId(i));
        return ids;
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& form : m_document.Document()->Forms())
            for (const auto& control : pollenta::html::HtmlForm(form).Elements())
                names.push_back(control.Name());
        return names;
    }

    pollenta::testsupport::TempFolder m_folder{"pollenta-wizard"};
    std::string m_path;
    CWEHTMLDocument m_document;
    CWEErrors m_errors;
    CWEProjectSettings m_settings;
};

}  // namespace

TEST_F(CheckerTest, UnnamedControlsAreNamedInDocumentOrderWithOneWarningEach)
{
    ASSERT_EQ(WE_S_OK,
              Check("<HTML><BODY><FORM><INPUT><INPUT TYPE=TEXT><INPUT TYPE=PASSWORD>"
                    "<SELECT><OPTION>a</SELECT><TEXTAREA></TEXTAREA><INPUT TYPE=SUBMIT></FORM></BODY></HTML>"));
    EXPECT_EQ((std::vector<std::string>{"Field001", "Field002", "Field003", "Field004", "Field005", ""}), Names());
    EXPECT_EQ(
        (std::vector<DWORD>{WE_W_INPUT_NAME, WE_W_INPUT_NAME, WE_W_INPUT_NAME, WE_W_SELECT_NAME, WE_W_TEXTAREA_NAME}),
        Ids());
}

TEST_F(CheckerTest, DuplicatesWarnButRadioGroupsDoNot)
{
    ASSERT_EQ(WE_S_OK, Check("<FORM><INPUT NAME=q><INPUT NAME=q><INPUT TYPE=RADIO NAME=r VALUE=1>"
                             "<INPUT TYPE=RADIO NAME=r VALUE=2><SELECT NAME=s MULTIPLE><OPTION></OPTION></SELECT>"
                             "<SELECT NAME=t></SELECT><INPUT TYPE=SUBMIT NAME=go><INPUT TYPE=RESET></FORM>"));
    EXPECT_EQ((std::vector<DWORD>{WE_W_DUPLICATE_NAME, WE_W_SELECT_MULTIPLE, WE_W_EMPTY_OPTION, WE_W_NO_OPTIONS,
                                  WE_W_SUBMIT_NAME}),
              Ids());
    EXPECT_EQ("The name (NAME = q) of the form element is duplicated.", m_errors.GetText(0));
    CWEFieldsDataSet fields;
    fields.Build(*m_document.Document());
    EXPECT_EQ(4u, fields.GetCount());  // q, r, s, t
    ASSERT_NE(nullptr, fields.FindByInitialName("r"));
    EXPECT_EQ(100, fields.FindByInitialName("r")->m_nSize);
}

TEST_F(CheckerTest, PagesThatCannotBeSurveysStopTheCheck)
{
    const struct {
        const char* name;
        std::string page;
        DWORD id;
    } cases[] = {
        {"no form", "<P>Hello</P>", WE_E_NO_FORMS},
        {"two forms", "<FORM><INPUT TYPE=SUBMIT></FORM><FORM><INPUT TYPE=SUBMIT></FORM>", WE_E_MANY_FORMS},
        {"empty form", "<FORM></FORM>", WE_E_NO_CONTROLS},
        {"image is not a submit", "<FORM><INPUT NAME=a><INPUT TYPE=IMAGE NAME=go SRC=go.gif></FORM>", WE_E_NO_SUBMIT},
        {"empty file", "", WE_E_NO_FORMS},
        {"binary", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16), WE_E_NO_FORMS},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_errors.RemoveAll();
        EXPECT_EQ(c.id, Check(c.page));
        ASSERT_EQ(1u, m_errors.GetCount());
        EXPECT_EQ(c.id, m_errors.GetId(0));
    }
    m_errors.RemoveAll();
    EXPECT_EQ(WE_E_FILE_NOT_FOUND, CWEHTMLChecker().Check(m_document, "/no/such/page.htm", m_errors, m_settings));
    EXPECT_EQ("File /no/such/page.htm not found", m_errors.GetText(0));
    EXPECT_EQ(WE_E_NO_PATH, CWEHTMLChecker().Check(m_document, "", m_errors, m_settings));
}

TEST_F(CheckerTest, OnlySubmitButtonIsEnoughAndTitleAndMailtoBecomeDefaults)
{
    ASSERT_EQ(WE_S_OK, Check("<HTML><HEAD><TITLE> Staff  survey </TITLE></HEAD><BODY>"
                             "<FORM ACTION=\"MAILTO:Ann.Lee@Example.COM?Subject=Answers\" METHOD=POST>"
                             "<INPUT TYPE=SUBMIT></FORM></BODY></HTML>"));
    EXPECT_EQ("Staff survey", m_settings.m_strProjectName);
    EXPECT_EQ("ann.lee@example.com", m_settings.m_strEmail);
    EXPECT_EQ(0u, m_errors.GetCount());
}

TEST_F(CheckerTest, MissingPicturesAreErrorsAndFoundOnesBecomeAbsolute)
{
    m_folder.Write("img/logo.gif", "GIF89a");
    ASSERT_EQ(WE_S_OK, Check("<BODY><IMG SRC=img/logo.gif><IMG SRC=\"img/gone%20away.gif\">"
                             "<FORM><INPUT NAME=a><INPUT TYPE=SUBMIT></FORM></BODY>"));
    ASSERT_EQ(1u, m_errors.GetCount());
    EXPECT_EQ(WE_E_PICTURE_MISSING, m_errors.GetId(0));
    EXPECT_EQ("File with the picture (" + (m_folder.Path() / "img/gone away.gif").string() + ") not found.",
              m_errors.GetText(0));
    const std::string page = m_document.Document()->Serialize();
    EXPECT_NE(std::string::npos, page.find("src=\"" + (m_folder.Path() / "img/logo.gif").string() + "\"")) << page;
}

// The check sees the form as a browser submits it.
TEST_F(CheckerTest, SubmitButtonsAndControlsAreThoseABrowserSubmitsWithTheForm)
{
    const struct {
        const char* what;
        const char* page;
        DWORD result;
    } cases[] = {
        {"the only submit button after the form's cell ended",
         "<TABLE><TR><TD><FORM ACTION=mailto:a@b.c><INPUT NAME=a></TD><TD><INPUT TYPE=SUBMIT></TD></TR></TABLE></FORM>",
         WE_S_OK},
        {"a form tag inside the form is no second form",
         "<FORM><TABLE><TR><TD><FORM><INPUT NAME=a><INPUT TYPE=SUBMIT></TD></TR></TABLE></FORM>", WE_S_OK},
        {"the only submit button is text of an unclosed textarea",
         "<FORM><INPUT NAME=a><TEXTAREA NAME=t><INPUT TYPE=SUBMIT></FORM>", WE_E_NO_SUBMIT},
        {"a button of type submit", "<FORM><INPUT NAME=a><BUTTON TYPE=submit>Send</BUTTON></FORM>", WE_S_OK},
        {"a button without a type submits", "<FORM><INPUT NAME=a><BUTTON>Send</BUTTON></FORM>", WE_S_OK},
        {"a plain button does not", "<FORM><INPUT NAME=a><BUTTON TYPE=button>Send</BUTTON></FORM>", WE_E_NO_SUBMIT},
    };
    for (const auto& c : cases) {
        m_errors.RemoveAll();
        EXPECT_EQ(c.result, Check(c.page)) << c.what;
    }
}

TEST_F(CheckerTest, FieldNamesThatDifferOnlyInCaseAreRefused)
{
    ASSERT_EQ(WE_S_OK, Check("<FORM><INPUT NAME=Email><INPUT TYPE=RADIO NAME=color VALUE=1><INPUT NAME=email>"
                             "<SELECT NAME=Color><OPTION>1</SELECT><INPUT TYPE=RADIO NAME=color VALUE=2>"
                             "<INPUT TYPE=SUBMIT></FORM>"));
    EXPECT_EQ((std::vector<DWORD>{WE_E_NAMES_DIFFER_IN_CASE, WE_E_NAMES_DIFFER_IN_CASE}), Ids());
    EXPECT_EQ(2u, m_errors.CountErrors());
    EXPECT_NE(std::string::npos, m_errors.GetText(0).find("\"Email\" and \"email\"")) << m_errors.GetText(0);
}

TEST_F(CheckerTest, AFormThatPostsAsPlainTextOrMultipartIsWarnedAbout)
{
    ASSERT_EQ(WE_S_OK, Check("<FORM ENCTYPE=\"Text/Plain\" METHOD=POST><INPUT NAME=a><INPUT TYPE=SUBMIT></FORM>"));
    EXPECT_EQ((std::vector<DWORD>{WE_W_FORM_ENCODING}), Ids());
    m_errors.RemoveAll();
    ASSERT_EQ(WE_S_OK, Check("<FORM ENCTYPE=multipart/form-data><INPUT NAME=a><INPUT TYPE=SUBMIT></FORM>"));
    EXPECT_EQ((std::vector<DWORD>{WE_W_FORM_ENCODING}), Ids());
    m_errors.RemoveAll();
    ASSERT_EQ(WE_S_OK,
              Check("<FORM ENCTYPE=application/x-www-form-urlencoded><INPUT NAME=a><INPUT TYPE=SUBMIT></FORM>"));
    EXPECT_TRUE(Ids().empty());
}

TEST_F(CheckerTest, OnlyFilesThatArePicturesPassAsPictures)
{
    m_folder.Write("etc/ld.so.conf", "include /etc/ld.so.conf.d/*.conf\n");
    m_folder.Write("img/noextension", "\x89PNG\r\n\x1A\n....");
    m_folder.Write("img/a%41.gif", "GIF89a");
    m_folder.Write("img/sheet.gif", "GIF87a");
    ASSERT_EQ(WE_S_OK, Check("<HTML><HEAD><STYLE>@import url(site.css); body { background: url(\"img/sheet.gif\") }"
                             "</STYLE></HEAD><BODY BACKGROUND=\"etc/ld.so.conf\"><IMG SRC=img/noextension>"
                             "<IMG SRC=img/a%2541.gif><FORM><INPUT NAME=a><INPUT TYPE=SUBMIT></FORM></BODY></HTML>"));
    EXPECT_EQ((std::vector<DWORD>{WE_E_NOT_A_PICTURE}), Ids());
    EXPECT_NE(std::string::npos, m_errors.GetText(0).find((m_folder.Path() / "etc/ld.so.conf").string()));
    const std::string page = m_document.Document()->Serialize();
    EXPECT_NE(std::string::npos, page.find("url('" + (m_folder.Path() / "img/sheet.gif").string() + "')")) << page;
    EXPECT_NE(std::string::npos, page.find("@import url(site.css)")) << page;
    // Written so that resolving it again gives the same file.
    EXPECT_NE(std::string::npos, page.find((m_folder.Path() / "img/a%2541.gif").string())) << page;
}

TEST_F(CheckerTest, RelativePathIsTakenFromTheCurrentFolder)
{
    m_folder.Write("img/logo.gif", "GIF89a");
    m_folder.Write("survey.htm", "<IMG SRC=img/logo.gif><FORM><INPUT NAME=a><INPUT TYPE=SUBMIT></FORM>");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(m_folder.Path());
    const DWORD result = CWEHTMLChecker().Check(m_document, "survey.htm", m_errors, m_settings);
    std::filesystem::current_path(before);
    EXPECT_EQ(WE_S_OK, result);
    EXPECT_EQ(0u, m_errors.GetCount()) << m_errors.GetText(0);
}

TEST_F(CheckerTest, FieldsComeInTheFormsOrder)
{
    ASSERT_EQ(WE_S_OK, Check("<FORM><INPUT NAME=zeta><INPUT NAME=alpha><SELECT NAME=mid><OPTION>1</SELECT>"
                             "<INPUT NAME=alpha><TEXTAREA NAME=beta></TEXTAREA><INPUT TYPE=SUBMIT></FORM>"));
    CWEFieldsDataSet fields;
    fields.Build(*m_document.Document());
    std::vector<std::string> names;
    fields.ForEach([&](std::uint64_t, CWEField& field) { names.push_back(field.m_strName); });
    EXPECT_EQ((std::vector<std::string>{"zeta", "alpha", "mid", "beta"}), names);
}

TEST(ColumnNamesTest, EmptyNamesAndNamesDifferingOnlyInCaseAreRefused)
{
    const auto refusal = [](const std::vector<CWEField>& fields) -> std::string {
        try {
            RequireDistinctColumnNames(fields);
            return "";
        } catch (const CWEException& exception) {
            return exception.GetText();
        }
    };
    CWEField renamed("who", 2, 100);
    renamed.m_strName = "Dup Name";
    CWEField other("note", 2, 255);
    other.m_strName = "dup name";
    CWEField blank("age", 1, 0);
    blank.m_strName = "  ";
    EXPECT_EQ("", refusal({CWEField("Email", 2, 100), CWEField("Phone", 2, 100)}));
    EXPECT_NE(std::string::npos, refusal({renamed, other}).find("\"Dup Name\" and \"dup name\""));
    EXPECT_NE(std::string::npos, refusal({CWEField("Email", 2, 100), CWEField("email", 2, 100)}).find("same column"));
    EXPECT_NE(std::string::npos, refusal({CWEField("x", 2, 100), blank}).find("\"age\" field is empty"));
}
