// The check of the page the user chose, and the fields it yields, on page
// files written the way old editors wrote them.

#include "wizard/CWEFieldsDataSet.h"
#include "wizard/CWEHTMLChecker.h"
#include "wizard/WizardIds.h"

#include "html/HtmlForm.h"
#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

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
    ASSERT_EQ(WE_S_OK, Check("<HTML><BODY><FORM><INPUT><INPUT TYPE=TEXT><INPUT TYPE=PASSWORD>"
                             "<SELECT><OPTION>a</SELECT><TEXTAREA></TEXTAREA><INPUT TYPE=SUBMIT></FORM></BODY></HTML>"));
    EXPECT_EQ((std::vector<std::string>{"Field001", "Field002", "Field003", "Field004", "Field005", ""}), Names());
    EXPECT_EQ((std::vector<DWORD>{WE_W_INPUT_NAME, WE_W_INPUT_NAME, WE_W_INPUT_NAME, WE_W_SELECT_NAME,
                                  WE_W_TEXTAREA_NAME}),
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
