#include "WizardUiTest.h"
#include "ui/Screenshot.h"
#include "wizardui/WEAnswerDatabase.h"
#include "wizardui/WEDataLinkPrompt.h"
#include "wizardui/WEDatabaseDialogTemplates.h"
#include "wizardui/WETablesDialog.h"
#include "wizardui/WEWizardIds.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

namespace {

class CScriptedTables : public CWETablesDialog {
public:
    using CWETablesDialog::CWETablesDialog;
    BOOL OnInitDialog() override
    {
        CWETablesDialog::OnInitDialog();
        ShowWindow(m_hWnd, SW_SHOW);
        m_script(*this);
        EndDialog(IDOK);
        return TRUE;
    }
    std::function<void(CScriptedTables&)> m_script;
};

void RunSql(const std::string& path, const char* sql)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(path.c_str(), &db));
    char* error = nullptr;
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql, nullptr, nullptr, &error)) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

std::set<std::string> TableNames(const std::string& path)
{
    std::set<std::string> names;
    for (const WETableEntry& entry : ListTables(DataLinkFor(path)))
        names.insert(entry.name);
    return names;
}

int RowOf(CWETablesListCtrl& list, const std::string& name)
{
    for (int item = 0; item < list.GetItemCount(); ++item)
        if (list.GetItemText(item, 1) == name)
            return item;
    return -1;
}

class TablesTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        RegisterDatabaseDialogTemplates(AfxGetResourceHandle());
        RunSql(m_path, "CREATE TABLE Answers (a TEXT); CREATE TABLE \"it's\" (a TEXT); CREATE TABLE \"a b\" (a TEXT);"
                       "CREATE TABLE \"x\"\"]; y\" (a TEXT); CREATE VIEW Recent AS SELECT a FROM Answers;");
    }
    std::string m_path = m_dir + "/answers.db";
};

} // namespace

TEST_F(TablesTest, EveryTableAndViewIsListedWithItsType)
{
    CScriptedTables dialog(DataLinkFor(m_path));
    dialog.m_script = [](CScriptedTables& dialog) {
        CWETablesListCtrl& list = dialog.List();
        ASSERT_EQ(5, list.GetItemCount());
        EXPECT_EQ("VIEW", list.GetItemText(RowOf(list, "Recent"), 0));
        EXPECT_EQ("TABLE", list.GetItemText(RowOf(list, "it's"), 0));
        EXPECT_FALSE(IsWindowEnabled(dialog.GetDlgItem(IDC_WE_DELETE)));
        list.SetItemState(RowOf(list, "Answers"), LVIS_SELECTED, LVIS_SELECTED);
        EXPECT_TRUE(IsWindowEnabled(dialog.GetDlgItem(IDC_WE_DELETE)));
        ASSERT_TRUE(SaveWindowPicture(dialog, Picture("tables-dialog.png").c_str()));
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
}

TEST_F(TablesTest, DeleteDropsTablesWhateverCharactersTheirNamesHold)
{
    for (const std::string name : {"it's", "a b", "x\"]; y"}) {
        SCOPED_TRACE(name);
        m_boxes.clear();
        m_boxAnswer = IDYES;
        CScriptedTables dialog(DataLinkFor(m_path));
        dialog.m_script = [&](CScriptedTables& dialog) {
            CWETablesListCtrl& list = dialog.List();
            int before = list.GetItemCount();
            list.SetItemState(RowOf(list, name), LVIS_SELECTED, LVIS_SELECTED);
            dialog.OnCommand(IDC_WE_DELETE, BN_CLICKED, dialog.GetDlgItem(IDC_WE_DELETE));
            EXPECT_EQ(before - 1, list.GetItemCount());
            EXPECT_EQ(-1, RowOf(list, name));
        };
        dialog.DoModal();
        ASSERT_EQ(1u, m_boxes.size());
        EXPECT_EQ("Are you sure you want to delete the table \"" + name + "\"?", m_boxes[0].text);
        EXPECT_EQ(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, m_boxes[0].type);
        EXPECT_EQ(0u, TableNames(m_path).count(name));
    }
    EXPECT_EQ((std::set<std::string>{"Answers", "Recent"}), TableNames(m_path));
}

TEST_F(TablesTest, NoToTheQuestionKeepsTheTable)
{
    m_boxAnswer = IDNO;
    CScriptedTables dialog(DataLinkFor(m_path));
    dialog.m_script = [](CScriptedTables& dialog) {
        CWETablesListCtrl& list = dialog.List();
        list.SetItemState(RowOf(list, "Answers"), LVIS_SELECTED, LVIS_SELECTED);
        dialog.OnCommand(IDC_WE_DELETE, BN_CLICKED, dialog.GetDlgItem(IDC_WE_DELETE));
        EXPECT_EQ(5, list.GetItemCount());
    };
    dialog.DoModal();
    EXPECT_EQ(1u, TableNames(m_path).count("Answers"));
}

TEST_F(TablesTest, ADataSourceThatCannotBeReadIsReportedAndTheDialogStillOpens)
{
    for (const std::string& source : {std::string(), DataLinkFor(m_dir + "/missing.db")}) {
        SCOPED_TRACE(source);
        m_boxes.clear();
        bool opened = false;
        CScriptedTables dialog(source);
        dialog.m_script = [&](CScriptedTables& dialog) {
            opened = true;
            EXPECT_EQ(0, dialog.List().GetItemCount());
        };
        EXPECT_EQ(IDOK, dialog.DoModal());
        EXPECT_TRUE(opened);
        ASSERT_EQ(1u, m_boxes.size());
        EXPECT_EQ(WE_CAPTION, m_boxes[0].caption);
        EXPECT_EQ(MB_OK | MB_ICONERROR, m_boxes[0].type);
    }
}

TEST_F(UiTest, TheDataLinkPromptCreatesANewDatabaseOrTakesAnExistingOne)
{
    std::vector<ChooserRequest> asked;
    std::string answer = m_dir + "/new answers.db";
    SetChooserHook([&](const ChooserRequest& request, std::string& path) {
        asked.push_back(request);
        path = answer;
        return !answer.empty();
    });
    std::string connection;
    std::string error;
    ASSERT_TRUE(PromptDataLink(nullptr, connection, error)) << error;
    EXPECT_EQ("Provider=SQLite;Data Source=" + answer, connection);
    EXPECT_TRUE(TableNames(answer).empty()); // made, and ADO opens it
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ(ChooserRequest::Kind::Save, asked[0].kind);
    EXPECT_EQ(WE_DATALINK_TITLE, asked[0].title);

    RunSql(answer, "CREATE TABLE Kept (a TEXT)");
    ASSERT_TRUE(PromptDataLink(nullptr, connection, error)) << error;
    EXPECT_EQ(std::set<std::string>{"Kept"}, TableNames(answer));

    answer.clear(); // the user cancels
    connection = "unchanged";
    EXPECT_FALSE(PromptDataLink(nullptr, connection, error));
    EXPECT_EQ("", error);
    EXPECT_EQ("unchanged", connection);
}

TEST_F(UiTest, TheDataLinkPromptRefusesAFileThatIsNoDatabase)
{
    std::string notes = m_dir + "/notes.db";
    std::ofstream(notes) << "These are notes, written by a text editor, long enough to fill a header page.\n"
                         << std::string(200, 'x');
    SetChooserHook([&](const ChooserRequest&, std::string& path) {
        path = notes;
        return true;
    });
    std::string connection;
    std::string error;
    EXPECT_FALSE(PromptDataLink(nullptr, connection, error));
    EXPECT_NE(std::string::npos, error.find(notes)) << error;
    EXPECT_EQ("", connection);
}

TEST_F(TablesTest, ATableIsFoundByItsNameWhateverCharactersItHolds)
{
    struct Case {
        const char* name;
        bool exists;
    };
    const Case cases[] = {
        {"it's", true}, {"IT'S", true}, {"a b", true}, {"x\"]; y", true}, {"Recent", true},
        {"it''s", false}, {"Answers'", false}, {"' OR '1'='1", false}, {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.exists, TableExists(DataLinkFor(m_path), c.name));
    }
}
