// The wizard walked from the welcome page to the finish page: a finished
// project whose table and page are checked, and walks through the errors
// of creation and of the database link.

#include "WizardWalkFixture.h"

namespace {
using WizardWalkTest = WizardWalkFixture;
}  // namespace

TEST_F(WizardWalkTest, WalkFromWelcomeToFinishMakesTheProjectWithItsTableAndPage)
{
    WalkToCreation();
    Shoot("09-ready-to-create");
    Next();
    ExpectFinishedProject("Answers");
    EXPECT_EQ("Creating a new Pollenta project (Finish)", GetWindowTextString(m_sheet));
    Shoot("11-finish");
}

TEST_F(WizardWalkTest, BrokenSqlRequestShowsOnTheErrorsPageAndItsFixAfterBackFinishes)
{
    WalkToCreation();
    // The user breaks the request: "CREATE" loses a letter.
    m_sqlEdit = [](CWESqlEdit& edit) { edit.m_strText.replace(0, 6, "CREAT"); };
    Click(m_sheet.m_page6, IDC_EDIT_SQL);
    EXPECT_EQ(1, m_sheet.m_settings.m_lSqlEdited);
    Next();

    ASSERT_EQ(9, m_sheet.GetActiveIndex());
    ASSERT_EQ(1u, m_sheet.m_creationErrors.GetCount());
    EXPECT_EQ(WE_E_SQL, m_sheet.m_creationErrors.GetId(0));
    ASSERT_EQ(1, m_sheet.m_page7.ErrorList().GetItemCount());
    EXPECT_EQ("Fatal error", m_sheet.m_page7.ErrorList().GetItemText(0, 0));
    EXPECT_EQ(m_sheet.m_creationErrors.GetText(0), m_sheet.m_page7.ErrorList().GetItemText(0, 1));
    EXPECT_NE(std::string::npos, m_sheet.m_creationErrors.GetText(0).find("CREAT"))
        << m_sheet.m_creationErrors.GetText(0);
    EXPECT_FALSE(Enabled(ID_WIZNEXT));
    EXPECT_TRUE(Enabled(ID_WIZBACK));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(m_sheet.m_page7, IDC_EDIT_SQL)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(m_sheet.m_page7, IDC_RETRY)));
    EXPECT_TRUE(Projects().empty());
    Shoot("10-creation-errors");

    // Back to the creation page keeps the user's request: the editor is
    // offered the broken text again, not a fresh one.
    Back();
    ASSERT_EQ(8, m_sheet.GetActiveIndex());
    EXPECT_EQ(1, m_sheet.m_settings.m_lSqlEdited);
    m_sqlEdit = [](CWESqlEdit& edit) { edit.m_strText.replace(0, 5, "CREATE"); };
    Click(m_sheet.m_page6, IDC_EDIT_SQL);
    ASSERT_EQ(2u, m_offeredSql.size());
    EXPECT_EQ(0u, m_offeredSql[1].find("CREAT TABLE [Answers]")) << m_offeredSql[1];
    Next();
    ExpectFinishedProject("Answers");
}

TEST_F(WizardWalkTest, RetryOnTheErrorsPageAfterEditingLandsOnTheFinishPage)
{
    WalkToCreation();
    m_sqlEdit = [](CWESqlEdit& edit) { edit.m_strText.replace(0, 6, "CREAT"); };
    Click(m_sheet.m_page6, IDC_EDIT_SQL);
    Next();
    ASSERT_EQ(9, m_sheet.GetActiveIndex());

    m_sqlEdit = [](CWESqlEdit& edit) { edit.m_strText.replace(0, 5, "CREATE"); };
    Click(m_sheet.m_page7, IDC_EDIT_SQL);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(m_sheet.m_page7, IDC_RETRY)));
    Click(m_sheet.m_page7, IDC_RETRY);
    ExpectFinishedProject("Answers");
}

TEST_F(WizardWalkTest, TakenTableNameIsRefusedUntilAnotherIsTyped)
{
    WalkToCreation();
    Back();
    Back();
    ASSERT_EQ(6, m_sheet.GetActiveIndex());
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(SQLITE_OK, sqlite3_open(DatabasePath().c_str(), &db));
        sqlite3_exec(db, "CREATE TABLE \"It's taken\" (a INTEGER)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    // A name with an apostrophe and a blank: the "symbols" question, then
    // the table is found (the apostrophe does not break the filter).
    m_boxes.clear();
    Type(m_sheet.m_page5, IDC_TABLE_NAME, "It's taken");
    m_sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(6, m_sheet.GetActiveIndex());
    ASSERT_EQ(2u, m_boxes.size());
    EXPECT_EQ(0u, m_boxes[0].text.find("The new table name you've entered contain symbols"));
    EXPECT_EQ("The table named \"It's taken\" already exists.\n\n Show the list of existing tables?", m_boxes[1].text);
    // Yes to the question: the database's one table is listed.
    EXPECT_EQ(std::vector<int>{1}, m_tablesShown);

    // The field set is built again from the page: the grid's edit is made again.
    Type(m_sheet.m_page5, IDC_TABLE_NAME, "Answers");
    Next();
    ChooseTypeInGrid("age", WE_FIELD_NUMERIC);
    Next();
    Next();
    ExpectFinishedProject("Answers");
}

TEST_F(WizardWalkTest, NameOfTheMadeProjectIsTakenExactlyWithBlanksIgnored)
{
    WalkToCreation();
    Next();
    ExpectFinishedProject("Answers");
    EXPECT_FALSE(CWEProjPage3::IsNameUnique(" Staff survey 2026"));
    EXPECT_TRUE(CWEProjPage3::IsNameUnique("staff survey 2026"));
}

TEST_F(WizardWalkTest, GridRefusesAnEmptyNameAndNamesTheDatabaseCannotTellApart)
{
    WalkToCreation();
    Back();
    ASSERT_EQ(7, m_sheet.GetActiveIndex());
    TypeNameInGrid("note", "WHO");
    m_boxes.clear();
    m_sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(7, m_sheet.GetActiveIndex());
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_NE(std::string::npos, m_boxes[0].text.find("\"who\" and \"WHO\" name the same column")) << m_boxes[0].text;

    TypeNameInGrid("WHO", "");
    m_boxes.clear();
    m_sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(7, m_sheet.GetActiveIndex());
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_NE(std::string::npos, m_boxes[0].text.find("\"note\" field is empty")) << m_boxes[0].text;

    TypeNameInGrid("", "remarks");
    Next();
    ASSERT_EQ(8, m_sheet.GetActiveIndex());
    EXPECT_EQ("remarks", m_sheet.m_fields.FindByInitialName("note")->m_strName);
}
