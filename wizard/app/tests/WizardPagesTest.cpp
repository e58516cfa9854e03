// What single pages of the wizard do beside the plain walk: the Cancel
// question, a fatal check error, the warning before an edited SQL request
// is thrown away, the order in which Tab visits each page's controls, the
// sheet's header band and the data-link prompt's refusal.

#include "WizardWalkFixture.h"

#include "ui/Bitmap.h"
#include "win/Shell.h"

#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QWidget>

namespace {

// The texts of the controls that Tab reaches from `first`, in order, until
// it comes back there.
std::vector<std::string> TabOrderFrom(QWidget* first)
{
    std::vector<std::string> order;
    if (!first)
        return order;
    for (QWidget* widget = first->nextInFocusChain(); widget != first && order.size() < 20;
         widget = widget->nextInFocusChain()) {
        if (!widget->isVisible() || !widget->isEnabled() || !(widget->focusPolicy() & Qt::TabFocus))
            continue;
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            order.push_back("edit:" + edit->text().toStdString());
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            order.push_back(button->text().toStdString());
        else if (qobject_cast<QComboBox*>(widget))
            order.push_back("combo");
        else if (qobject_cast<QTableWidget*>(widget))
            order.push_back("grid");
    }
    return order;
}

// From the edit showing `start`.
std::vector<std::string> TabOrderFrom(const std::string& start)
{
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* edit = qobject_cast<QLineEdit*>(widget); edit && edit->isVisible() && edit->text().toStdString() == start)
            return TabOrderFrom(edit);
    return {};
}

// From the visible grid.
std::vector<std::string> TabOrderFromGrid()
{
    for (QWidget* widget : QApplication::allWidgets())
        if (qobject_cast<QTableWidget*>(widget) && widget->isVisible())
            return TabOrderFrom(widget);
    return {};
}

using WizardPagesTest = WizardWalkFixture;

}  // namespace

TEST_F(WizardPagesTest, CancelAsksOnEveryPageButTheWelcomePage)
{
    ASSERT_TRUE(m_sheet.Create());
    ShowWindow(m_sheet, SW_SHOW);
    Next();
    m_boxAnswer = IDNO;
    m_sheet.PressButton(PSBTN_CANCEL);
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ("Are you sure you want to exit the Wizard and terminate the new project creation?", m_boxes[0].text);
    EXPECT_EQ("Pollenta Project Generator", m_boxes[0].caption);
    EXPECT_EQ(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, m_boxes[0].type);
    EXPECT_TRUE(IsWindowVisible(m_sheet));
    EXPECT_EQ(1, m_sheet.GetActiveIndex());

    Back();
    m_sheet.PressButton(PSBTN_CANCEL);
    EXPECT_EQ(1u, m_boxes.size());
}

TEST_F(WizardPagesTest, PageWithoutSubmitButtonLeavesOnlyBackOnTheCheckPage)
{
    m_folder.Write("site/survey.htm", "<HTML><BODY><FORM ACTION=\"mailto:a@example.com\"><INPUT NAME=q></FORM>"
                                      "</BODY></HTML>");
    ASSERT_TRUE(m_sheet.Create());
    Next();
    Type(m_sheet.m_page1, IDC_SOURCE_PATH, m_pagePath);
    Next();
    ASSERT_EQ(2, m_sheet.GetActiveIndex());
    ASSERT_EQ(1u, m_sheet.m_checkErrors.GetCount());
    EXPECT_EQ(WE_E_NO_SUBMIT, m_sheet.m_checkErrors.GetId(0));
    EXPECT_FALSE(Enabled(ID_WIZNEXT));
    EXPECT_TRUE(Enabled(ID_WIZBACK));
}

TEST_F(WizardPagesTest, MissingPageIsAFatalCheckErrorThatLeavesOnlyBack)
{
    ASSERT_TRUE(m_sheet.Create());
    Next();
    Type(m_sheet.m_page1, IDC_SOURCE_PATH, m_pagePath + ".gone");
    Next();
    ASSERT_EQ(2, m_sheet.GetActiveIndex());
    ASSERT_EQ(1u, m_sheet.m_checkErrors.GetCount());
    EXPECT_EQ(WE_E_FILE_NOT_FOUND, m_sheet.m_checkErrors.GetId(0));
    EXPECT_FALSE(Enabled(ID_WIZNEXT));
    Back();
    EXPECT_EQ(1, m_sheet.GetActiveIndex());
    EXPECT_TRUE(Enabled(ID_WIZNEXT));
}

TEST_F(WizardPagesTest, BackFromAnEditedRequestWarnsAndOnlyYesThrowsTheEditAway)
{
    WalkToCreation();
    m_sqlEdit = [](CWESqlEdit& edit) { edit.m_lCheck = 0; };
    Click(m_sheet.m_page6, IDC_EDIT_SQL);
    EXPECT_EQ(1, m_sheet.m_settings.m_lSqlEdited);
    EXPECT_EQ(0, m_sheet.m_settings.m_lSqlCheck);

    m_boxes.clear();
    m_boxAnswer = IDNO;
    m_sheet.PressButton(PSBTN_BACK);
    EXPECT_EQ(8, m_sheet.GetActiveIndex());
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ(0u, m_boxes[0].text.find("Warning!\n\nAll the changes to the SQL-request"));
    EXPECT_EQ(MB_YESNO | MB_ICONEXCLAMATION, m_boxes[0].type);

    m_boxAnswer = IDYES;
    Back();
    EXPECT_EQ(7, m_sheet.GetActiveIndex());
    EXPECT_EQ(0, m_sheet.m_settings.m_lSqlEdited);
    EXPECT_EQ(1, m_sheet.m_settings.m_lSqlCheck);
}

TEST_F(WizardPagesTest, NextFollowsTheTypedPathOnlyOnceThePagesNotificationIsOver)
{
    ASSERT_TRUE(m_sheet.Create());
    ShowWindow(m_sheet, SW_SHOW);
    Next();
    EXPECT_FALSE(Enabled(ID_WIZNEXT));
    Type(m_sheet.m_page1, IDC_SOURCE_PATH, m_pagePath);
    // Posted by the page: the button changes when the sheet's queue is read.
    EXPECT_FALSE(IsWindowEnabled(m_sheet.GetDlgItem(ID_WIZNEXT)));
    EXPECT_TRUE(Enabled(ID_WIZNEXT));
}

TEST_F(WizardPagesTest, InteriorPagesTitleTheHeaderBandAndWelcomeAndFinishShowTheWatermark)
{
    ASSERT_TRUE(m_sheet.Create());
    EXPECT_NE(nullptr, GetWindowIcon(m_sheet));
    EXPECT_NE(0u, m_sheet.m_psh.dwFlags & PSH_WIZARD97);
    EXPECT_EQ(PSH_WATERMARK | PSH_HEADER, m_sheet.m_psh.dwFlags & (PSH_WATERMARK | PSH_HEADER));
    const char* const titles[] = {nullptr,
                                  "The initial HTML-page for Pollenta project creation",
                                  "Errors of the preliminary check of the HTML-page",
                                  "The general properties of the Pollenta project",
                                  "Mark for answer messages processed by Pollenta",
                                  "Additional setting for Pollenta project creation",
                                  "Link Pollenta project with database",
                                  "Survey field editing",
                                  "Proceeding to the final phase of Pollenta project creation",
                                  "Errors in Pollenta project creation",
                                  nullptr};
    ASSERT_EQ(static_cast<int>(std::size(titles)), m_sheet.GetPageCount());
    for (int index = 0; index < m_sheet.GetPageCount(); ++index) {
        SCOPED_TRACE(index);
        const CPropertyPage& page = *m_sheet.GetPage(index);
        EXPECT_EQ(titles[index] == nullptr, (page.m_psp.dwFlags & PSP_HIDEHEADER) != 0);
        EXPECT_EQ(titles[index] ? titles[index] : "", page.m_strHeaderTitle);
    }
}

TEST_F(WizardPagesTest, AFileThatIsNoDatabaseIsRefusedByTheDataLinkPromptWithItsReason)
{
    ASSERT_TRUE(m_sheet.Create());
    ShowWindow(m_sheet, SW_SHOW);
    ASSERT_TRUE(m_sheet.SetActivePage(6));
    m_dataLinkPath = m_folder.Write("site/notes.db", "Notes kept as plain text, not a database.\n").string();
    Click(m_sheet.m_page5, IDC_CHOOSE_SOURCE);
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ(0u, m_boxes[0].text.find("The database \"" + m_dataLinkPath + "\" cannot be used: ")) << m_boxes[0].text;
    EXPECT_EQ(MB_ICONERROR, m_boxes[0].type);
    EXPECT_EQ("", GetWindowTextString(GetDlgItem(m_sheet.m_page5, IDC_CONNECTION)));
    Type(m_sheet.m_page5, IDC_TABLE_NAME, "Answers");
    EXPECT_FALSE(Enabled(ID_WIZNEXT));
}

TEST_F(WizardPagesTest, TabVisitsEachPageInItsOrder)
{
    WalkToCreation();
    Back();
    Back();
    Back();
    Back();
    Back();
    ASSERT_EQ(3, m_sheet.GetActiveIndex());
    EXPECT_EQ((std::vector<std::string>{"edit:answers@example.com", "edit:Survey answers", "< &Back", "&Next >",
                                        "Cancel", "Help"}),
              TabOrderFrom("Staff survey 2026"));
    Next();
    EXPECT_EQ((std::vector<std::string>{"edit:[BAD]", "< &Back", "&Next >", "Cancel", "Help"}),
              TabOrderFrom("[DONE]"));
    Next();
    Next();
    const std::string connection = "Provider=SQLite;Data Source=" + DatabasePath();
    EXPECT_EQ((std::vector<std::string>{"Choose the data source...", "edit:Answers", "Check table name...", "< &Back",
                                        "&Next >", "Cancel", "Help"}),
              TabOrderFrom(connection));
    Next();
    EXPECT_EQ((std::vector<std::string>{"< &Back", "&Next >", "Cancel", "Help"}), TabOrderFromGrid());
}

TEST_F(WizardPagesTest, HelpOpensTheWizardTopicBesideTheProgram)
{
    const fs::path help = fs::path(POLLENTA_TEST_DIR) / "Pollenta.chm";
    fs::create_directories(help);
    const fs::path temporary = help / (".5.html." + std::to_string(getpid()));
    std::ofstream(temporary) << "<html><body>Creating a project</body></html>";
    fs::rename(temporary, help / "5.html");
    std::vector<ShellLaunch> launches;
    const ShellLaunchHook previous = SetShellLaunchHook([&](const ShellLaunch& launch) {
        launches.push_back(launch);
        return static_cast<DWORD>(ERROR_SUCCESS);
    });
    ASSERT_TRUE(m_sheet.Create());
    Next();
    m_sheet.PressButton(PSBTN_HELP);
    SetShellLaunchHook(previous);
    ASSERT_EQ(1u, launches.size());
    EXPECT_EQ((help / "5.html").string(), launches[0].file);
}

TEST_F(WizardPagesTest, WelcomePageLinksToSupportAndSiteAndShowsTheVersion)
{
    ASSERT_TRUE(m_sheet.Create());
    const CWELinkStatic& support = m_sheet.m_page0.SupportLink();
    EXPECT_EQ("support@velquin.example", GetWindowTextString(support));
    EXPECT_EQ("mailto:support@velquin.example", support.GetLinkTarget());
    EXPECT_EQ("https://www.velquin.example/pollenta", m_sheet.m_page0.SiteLink().GetLinkTarget());
    EXPECT_EQ("1.0.0.0", GetWindowTextString(GetDlgItem(m_sheet.m_page0, IDC_VERSION)));
    EXPECT_TRUE(Enabled(ID_WIZNEXT));
    EXPECT_FALSE(Enabled(ID_WIZBACK));
}

TEST_F(WizardPagesTest, CheckingThePageAgainPutsEveryOtherSettingBackToItsDefault)
{
    WalkToCreation();
    for (int i = 0; i < 7; ++i)
        Back();
    ASSERT_EQ(1, m_sheet.GetActiveIndex());
    Next();
    Next();
    ASSERT_EQ(3, m_sheet.GetActiveIndex());
    EXPECT_EQ("Staff survey", GetWindowTextString(GetDlgItem(m_sheet.m_page3, IDC_PROJECT_NAME)));
    EXPECT_EQ("[OK]", m_sheet.m_settings.m_strSuccessMark);
    EXPECT_EQ("[FAIL]", m_sheet.m_settings.m_strFailedMark);
    EXPECT_EQ("", m_sheet.m_settings.m_strConnectionString);
    EXPECT_EQ("SurveyResults", m_sheet.m_settings.m_strRecordSource);
    EXPECT_EQ(0, m_sheet.m_settings.m_lCollectRecipients);
}
