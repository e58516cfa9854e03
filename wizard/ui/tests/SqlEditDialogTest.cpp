#include "WizardUiTest.h"
#include "ui/Screenshot.h"
#include "wizardui/WEDatabaseDialogTemplates.h"
#include "wizardui/WESQLEditDlg.h"
#include "wizardui/WEWizardIds.h"

#include <QPlainTextEdit>

#include <functional>

namespace {

const char kGenerated[] = "CREATE TABLE Answers (\r\n\tField001 VARCHAR(255),\r\n\tAge INTEGER)";
const char kCaption[] = "Edit SQL-request for table creation";

// Runs the test's steps once the dialog is up, as a user would.
class CScriptedSqlEdit : public CWESQLEditDlg {
public:
    BOOL OnInitDialog() override
    {
        CWESQLEditDlg::OnInitDialog();
        ShowWindow(m_hWnd, SW_SHOW);
        m_script(*this);
        return TRUE;
    }
    std::function<void(CScriptedSqlEdit&)> m_script;
};

struct SqlEditRun {
    SqlEditRun()
    {
        RegisterDatabaseDialogTemplates(AfxGetResourceHandle());
        dialog.m_strSqlText = kGenerated;
        dialog.m_strSqlDefault = kGenerated;
    }
    CScriptedSqlEdit dialog;
};

void TypeIntoRequest(CWESQLEditDlg& dialog, const std::string& text)
{
    QWidget* widget = WidgetOf(dialog.GetDlgItem(IDC_WE_SQL));
    while (widget && !qobject_cast<QPlainTextEdit*>(widget))
        widget = widget->parentWidget();
    auto* edit = qobject_cast<QPlainTextEdit*>(widget);
    ASSERT_NE(edit, nullptr);
    edit->moveCursor(QTextCursor::End);
    TypeText(edit, text);
}

} // namespace

TEST_F(UiTest, ARequestTypedAndTypedBackStillCountsAsChangedAndIsSaved)
{
    SqlEditRun run;
    run.dialog.m_script = [](CScriptedSqlEdit& dialog) {
        EXPECT_EQ(kGenerated, GetWindowTextString(dialog.GetDlgItem(IDC_WE_SQL)));
        EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, IDC_WE_CHECKSQL));
        EXPECT_EQ(kCaption, GetWindowTextString(dialog));
        TypeIntoRequest(dialog, "x");
        EXPECT_EQ(std::string(kCaption) + "*", GetWindowTextString(dialog));
        SetDlgItemText(dialog, IDC_WE_SQL, kGenerated); // the change taken back
        ASSERT_TRUE(SaveWindowPicture(dialog, Picture("sql-edit-dialog.png").c_str()));
        dialog.OnCommand(IDOK, BN_CLICKED, dialog.GetDlgItem(IDOK));
    };
    EXPECT_EQ(IDOK, run.dialog.DoModal());
    EXPECT_TRUE(run.dialog.m_bModified);
    EXPECT_EQ(kGenerated, run.dialog.m_strSqlText);
    EXPECT_TRUE(run.dialog.m_bCheck);
}

TEST_F(UiTest, OnlyUntickingTheCheckSavesWithTheRequestUnchanged)
{
    SqlEditRun run;
    run.dialog.m_script = [](CScriptedSqlEdit& dialog) {
        CheckDlgButton(dialog, IDC_WE_CHECKSQL, BST_UNCHECKED);
        dialog.OnCommand(IDOK, BN_CLICKED, dialog.GetDlgItem(IDOK));
    };
    EXPECT_EQ(IDOK, run.dialog.DoModal());
    EXPECT_FALSE(run.dialog.m_bModified);
    EXPECT_FALSE(run.dialog.m_bCheck);
}

TEST_F(UiTest, CancellingAChangedRequestAsksAndEachAnswerDoesItsPart)
{
    struct Case {
        int answer;
        int result;
        bool modified;
        std::string text;
    };
    const std::vector<Case> cases = {
        {IDYES, IDOK, true, std::string(kGenerated) + ";"},
        {IDNO, IDCANCEL, false, kGenerated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "answer " << c.answer);
        m_boxes.clear();
        SqlEditRun run;
        m_boxAnswer = IDCANCEL;
        run.dialog.m_script = [&](CScriptedSqlEdit& dialog) {
            TypeIntoRequest(dialog, ";");
            dialog.OnCancel(); // Cancel in the box: the dialog stays
            EXPECT_TRUE(IsWindowVisible(dialog));
            m_boxAnswer = c.answer;
            dialog.OnCancel();
        };
        EXPECT_EQ(c.result, run.dialog.DoModal());
        EXPECT_EQ(c.modified, static_cast<bool>(run.dialog.m_bModified));
        EXPECT_EQ(c.text, run.dialog.m_strSqlText);
        ASSERT_EQ(2u, m_boxes.size());
        EXPECT_EQ("Do you want to save the changes to the SQL-request for table creation?", m_boxes[1].text);
        EXPECT_EQ(WE_CAPTION, m_boxes[1].caption);
        EXPECT_EQ(MB_YESNOCANCEL | MB_ICONEXCLAMATION, m_boxes[1].type);
    }
}

TEST_F(UiTest, RestoreDefaultAsksWithNoAsTheDefaultAndBringsBackTheGeneratedRequest)
{
    SqlEditRun run;
    run.dialog.m_strSqlText = "CREATE TABLE Mine (a TEXT)";
    m_boxAnswer = IDYES;
    run.dialog.m_script = [](CScriptedSqlEdit& dialog) {
        dialog.OnCommand(IDC_WE_RESTORE, BN_CLICKED, dialog.GetDlgItem(IDC_WE_RESTORE));
        EXPECT_EQ(kGenerated, GetWindowTextString(dialog.GetDlgItem(IDC_WE_SQL)));
        EXPECT_EQ(std::string(kCaption) + "*", GetWindowTextString(dialog));
        dialog.OnCommand(IDOK, BN_CLICKED, dialog.GetDlgItem(IDOK));
    };
    EXPECT_EQ(IDOK, run.dialog.DoModal());
    EXPECT_EQ(kGenerated, run.dialog.m_strSqlText);
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, m_boxes[0].type);
}

TEST_F(UiTest, TheRequestEditorGrowsWithTheDialog)
{
    SqlEditRun run;
    run.dialog.m_script = [](CScriptedSqlEdit& dialog) {
        RECT before{};
        GetWindowRect(dialog.GetDlgItem(IDC_WE_SQL), &before);
        RECT frame{};
        GetWindowRect(dialog, &frame);
        SetWindowPos(dialog, HWND_TOP, 0, 0, frame.right - frame.left + 100, frame.bottom - frame.top + 50,
                     SWP_NOMOVE | SWP_NOZORDER);
        RECT after{};
        GetWindowRect(dialog.GetDlgItem(IDC_WE_SQL), &after);
        EXPECT_EQ(before.right - before.left + 100, after.right - after.left);
        EXPECT_EQ(before.bottom - before.top + 50, after.bottom - after.top);
        dialog.OnCommand(IDOK, BN_CLICKED, dialog.GetDlgItem(IDOK));
    };
    EXPECT_EQ(IDOK, run.dialog.DoModal());
}
