#pragma once
// The wizard's sheet shown offscreen with every chooser, box and dialog
// answered by the test: the page chosen in the file chooser, the database
// created through the data-link prompt, the SQL request edited in the
// editor by a function of the test; and a walk from the welcome page to
// the creation page the way a user walks it, with a picture of each page
// and dialog.

#include "CreatorTestFixture.h"

#include "CWEProjWizard.h"
#include "CWEWizardDialogs.h"
#include "PlandrelIds.h"
#include "WizardText.h"

#include "wizard/WizardIds.h"

#include "ui/DialogHook.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/Screenshot.h"
#include "ui/TextFit.h"
#include "ui/Window.h"
#include "wizardui/WEDataLinkPrompt.h"
#include "wizardui/WESQLEditDlg.h"
#include "wizardui/WETablesDialog.h"
#include "wizardui/WEWizardIds.h"

#include <fstream>
#include <functional>
#include <iterator>

namespace fs = std::filesystem;

// A survey page as an old editor wrote it: windows-1251 named in its META,
// upper-case tags, a picture, a named submit button (the check takes the
// name off and warns) and a mailto form.
inline const char* const kSurveyPage =
    "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\">\r\n"
    "<TITLE>Staff survey</TITLE></HEAD>\r\n<BODY><IMG SRC=img/logo.gif>\r\n"
    "<FORM ACTION=\"mailto:hr@example.com\" METHOD=POST>\r\n"
    "\xC8\xEC\xFF <INPUT TYPE=TEXT NAME=who><BR>\r\n"
    "Age <SELECT NAME=age><OPTION>18-25<OPTION>26-40</SELECT><BR>\r\n"
    "Note <TEXTAREA NAME=note></TEXTAREA><BR>\r\n"
    "<INPUT TYPE=SUBMIT NAME=send VALUE=Send>\r\n</FORM></BODY></HTML>\r\n";

inline std::string ReadFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class WizardWalkFixture : public CreatorTestFixture {
protected:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        CreatorTestFixture::SetUp();
        // The data-link prompt makes the database.
        fs::remove(DatabasePath());
        m_folder.Write("site/img/logo.gif", "GIF89a logo");
        m_pagePath = m_folder.Write("site/survey.htm", kSurveyPage).string();
        SetMessageBoxHook([this](const MessageBoxRequest& request) {
            m_boxes.push_back(request);
            return m_boxAnswer;
        });
        SetChooserHook([this](const ChooserRequest& request, std::string& path) {
            if (request.title == WE_DATALINK_TITLE) {
                m_dataLink = request;
                path = m_dataLinkPath.empty() ? DatabasePath() : m_dataLinkPath;
                return true;
            }
            m_chooser = request;
            path = m_pagePath;
            return true;
        });
        SetDialogShownHook([this](CDialog& dialog) {
            if (auto* editor = dynamic_cast<CWESQLEditDlg*>(&dialog))
                EditInEditor(*editor);
            else if (auto* tables = dynamic_cast<CWETablesDialog*>(&dialog))
                LookAtTables(*tables);
        });
        fs::create_directories(POLLENTA_SCREENSHOT_DIR);
    }
    void TearDown() override
    {
        SetDialogShownHook({});
        SetMessageBoxHook({});
        SetChooserHook({});
        PumpWaitingMessages();
        CreatorTestFixture::TearDown();
    }

    // The editor shows the request in force; the test's edit is typed in
    // and saved with "Save and close".
    void EditInEditor(CWESQLEditDlg& editor)
    {
        CWESqlEdit edit{GetWindowTextString(editor.GetDlgItem(IDC_WE_SQL)),
                        IsDlgButtonChecked(editor, IDC_WE_CHECKSQL) == BST_CHECKED ? 1 : 0, editor.m_strSqlDefault};
        m_offeredSql.push_back(edit.m_strText);
        Picture(editor, "12-sql-editor");
        const std::string before = edit.m_strText;
        m_sqlEdit(edit);
        if (edit.m_strText != before) {
            SetDlgItemText(editor, IDC_WE_SQL, edit.m_strText.c_str());
            editor.OnCommand(IDC_WE_SQL, EN_CHANGE, editor.GetDlgItem(IDC_WE_SQL));
        }
        CheckDlgButton(editor, IDC_WE_CHECKSQL, edit.m_lCheck ? BST_CHECKED : BST_UNCHECKED);
        editor.OnOK();
    }
    void LookAtTables(CWETablesDialog& tables)
    {
        m_tablesShown.push_back(tables.List().GetItemCount());
        Picture(tables, "13-tables");
        tables.EndDialog(IDCANCEL);
    }
    // The wizard speaks English only; its pictures say so in their names.
    void Picture(CWnd& window, const char* name)
    {
        PumpWaitingMessages();
        const std::string path = std::string(POLLENTA_SCREENSHOT_DIR) + "/" + name + "-en.png";
        EXPECT_TRUE(SaveWindowPicture(window, path.c_str())) << path;
        const std::vector<CutText> cuts = FindCutTexts(window);
        EXPECT_TRUE(cuts.empty()) << name << " cuts:\n" << DescribeCutTexts(cuts);
    }
    // The grid's type list over the field's type cell, the type chosen and
    // the cell left, as a user does with the mouse.
    // The cell of the field's row in the column, entered as a click would.
    void EnterGridCell(const std::string& field, long col)
    {
        CWEFieldsBrowseGrid& grid = m_sheet.m_page51.Grid();
        long row = 1;
        while (row < grid.GetRows() && grid.GetTextMatrix(row, 0) != field)
            ++row;
        ASSERT_LT(row, grid.GetRows()) << field;
        grid.SetRow(row);
        grid.SetCol(col);
        PumpWaitingMessages();
    }

    void ChooseTypeInGrid(const std::string& field, int type)
    {
        ASSERT_NO_FATAL_FAILURE(EnterGridCell(field, 1));
        CWEFieldsBrowseGrid& grid = m_sheet.m_page51.Grid();
        CWECellComboBox& list = grid.TypeList();
        ASSERT_TRUE(IsWindowVisible(list));
        for (int item = 0; item < list.GetCount(); ++item)
            if (static_cast<int>(list.GetItemData(item)) == type)
                list.SetCurSel(item);
        Shoot("08-fields-type-list");
        grid.SetCol(2);
        PumpWaitingMessages();
    }

    void TypeNameInGrid(const std::string& field, const std::string& name)
    {
        ASSERT_NO_FATAL_FAILURE(EnterGridCell(field, 0));
        CWEFieldsBrowseGrid& grid = m_sheet.m_page51.Grid();
        ASSERT_TRUE(IsWindowVisible(grid.NameEdit()));
        SetWindowText(grid.NameEdit(), name.c_str());
        grid.SetCol(1);
        PumpWaitingMessages();
    }

    void Click(CWnd& page, int id) { page.OnCommand(id, BN_CLICKED, GetDlgItem(page, id)); }
    void Type(CWnd& page, int id, const std::string& text) { SetDlgItemText(page, id, text.c_str()); }
    // The pages post the sheet's buttons: they are read once the posts are in.
    bool Enabled(int id)
    {
        PumpWaitingMessages();
        return IsWindowEnabled(m_sheet.GetDlgItem(id));
    }
    void Next()
    {
        PumpWaitingMessages();
        ASSERT_TRUE(m_sheet.PressButton(PSBTN_NEXT)) << "Next is disabled on page " << m_sheet.GetActiveIndex();
    }
    void Back()
    {
        PumpWaitingMessages();
        ASSERT_TRUE(m_sheet.PressButton(PSBTN_BACK)) << "on page " << m_sheet.GetActiveIndex();
    }
    void Shoot(const char* name) { Picture(m_sheet, name); }

    // Welcome to the creation page: the page chosen, identity and marks
    // typed, the recipient field asked for, the database given and the
    // table named "Answers".
    void WalkToCreation()
    {
        ASSERT_TRUE(m_sheet.Create());
        ShowWindow(m_sheet, SW_SHOW);
        EXPECT_EQ(0, m_sheet.GetActiveIndex());
        EXPECT_FALSE(Enabled(ID_WIZBACK));
        Shoot("01-welcome");
        Next();

        EXPECT_EQ("Creating a new Pollenta project (Step 1)", GetWindowTextString(m_sheet));
        EXPECT_FALSE(Enabled(ID_WIZNEXT)); // no page yet
        Type(m_sheet.m_page1, IDC_SOURCE_PATH, "   ");
        EXPECT_FALSE(Enabled(ID_WIZNEXT));
        Click(m_sheet.m_page1, IDC_BROWSE);
        EXPECT_EQ("Pollenta Project Generator", m_chooser.title);
        EXPECT_EQ("HTML Files|*.htm;*.html", m_chooser.filter);
        EXPECT_EQ(m_pagePath, GetWindowTextString(GetDlgItem(m_sheet.m_page1, IDC_SOURCE_PATH)));
        EXPECT_TRUE(Enabled(ID_WIZNEXT));
        Shoot("02-page-source");
        Next();

        // The named submit button is a warning: the list shows, Next stays on.
        ASSERT_EQ(2, m_sheet.GetActiveIndex());
        EXPECT_EQ(1u, m_sheet.m_checkErrors.GetCount());
        EXPECT_EQ(WE_W_SUBMIT_NAME, m_sheet.m_checkErrors.GetId(0));
        ASSERT_EQ(1, m_sheet.m_page2.ErrorList().GetItemCount());
        EXPECT_EQ("Warning", m_sheet.m_page2.ErrorList().GetItemText(0, 0));
        EXPECT_EQ(m_sheet.m_checkErrors.GetText(0), m_sheet.m_page2.ErrorList().GetItemText(0, 1));
        EXPECT_TRUE(Enabled(ID_WIZNEXT));
        Shoot("03-check-errors");
        Next();

        // The page's title and mailto address are the defaults.
        ASSERT_EQ(3, m_sheet.GetActiveIndex());
        EXPECT_EQ("Creating a new Pollenta project (Step 2)", GetWindowTextString(m_sheet));
        EXPECT_EQ("Staff survey", GetWindowTextString(GetDlgItem(m_sheet.m_page3, IDC_PROJECT_NAME)));
        EXPECT_EQ("hr@example.com", GetWindowTextString(GetDlgItem(m_sheet.m_page3, IDC_EMAIL)));
        Type(m_sheet.m_page3, IDC_EMAIL, "not an address");
        EXPECT_FALSE(Enabled(ID_WIZNEXT));
        Type(m_sheet.m_page3, IDC_PROJECT_NAME, "  Staff survey 2026 ");
        Type(m_sheet.m_page3, IDC_EMAIL, "answers@example.com");
        Type(m_sheet.m_page3, IDC_SUBJECT, "Survey answers");
        EXPECT_TRUE(Enabled(ID_WIZNEXT));
        Shoot("04-identity");
        Next();

        ASSERT_EQ(4, m_sheet.GetActiveIndex());
        Type(m_sheet.m_page31, IDC_SUCCESS_MARK, "[DONE]");
        Type(m_sheet.m_page31, IDC_FAILED_MARK, " [BAD] ");
        Shoot("05-marks");
        Next();

        // The page's own charset is chosen.
        ASSERT_EQ(5, m_sheet.GetActiveIndex());
        EXPECT_EQ("windows-1251", ToNarrow(m_sheet.m_settings.m_CodePage.wszWebCharset, CP_UTF8));
        CheckDlgButton(m_sheet.m_page4, IDC_COLLECT_RECIPIENTS, BST_CHECKED);
        Shoot("06-options");
        Next();

        ASSERT_EQ(6, m_sheet.GetActiveIndex());
        EXPECT_FALSE(Enabled(ID_WIZNEXT));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(m_sheet.m_page5, IDC_CHECK_TABLE)));
        ASSERT_FALSE(fs::exists(DatabasePath()));
        Click(m_sheet.m_page5, IDC_CHOOSE_SOURCE);
        EXPECT_EQ(WE_DATALINK_TITLE, m_dataLink.title);
        EXPECT_TRUE(fs::exists(DatabasePath()));
        EXPECT_EQ("Provider=SQLite;Data Source=" + DatabasePath(),
                  GetWindowTextString(GetDlgItem(m_sheet.m_page5, IDC_CONNECTION)));
        Type(m_sheet.m_page5, IDC_TABLE_NAME, "Answers");
        EXPECT_TRUE(Enabled(ID_WIZNEXT));
        Click(m_sheet.m_page5, IDC_CHECK_TABLE);
        ASSERT_FALSE(m_boxes.empty());
        EXPECT_EQ("Check OK.", m_boxes.back().text);
        Shoot("07-database");
        Next();

        // The grid shows the form's fields; the age question becomes a
        // number column there.
        ASSERT_EQ(7, m_sheet.GetActiveIndex());
        EXPECT_EQ(3u, m_sheet.m_fields.GetCount());
        EXPECT_EQ(4, m_sheet.m_page51.Grid().GetRows());
        Shoot("08-fields");
        ChooseTypeInGrid("age", WE_FIELD_NUMERIC);
        EXPECT_EQ("Numeric", m_sheet.m_page51.Grid().GetTextMatrix(m_sheet.m_page51.Grid().GetRow(), 1));
        EXPECT_EQ(E_FAIL, m_sheet.m_page51.OnFieldEdited("none", "none", 1, 0));
        Next();
        EXPECT_EQ(1, m_sheet.m_fields.FindByInitialName("age")->m_nType);

        ASSERT_EQ(8, m_sheet.GetActiveIndex());
        EXPECT_NE(std::string::npos, m_sheet.m_settings.m_strSqlRequest.find("CREATE TABLE [Answers] ("))
            << m_sheet.m_settings.m_strSqlRequest;
    }

    void ExpectFinishedProject(const std::string& table)
    {
        ASSERT_EQ(10, m_sheet.GetActiveIndex())
            << (m_sheet.m_creationErrors.GetCount() ? m_sheet.m_creationErrors.GetText(0) : std::string());
        EXPECT_TRUE(Enabled(ID_WIZFINISH));
        EXPECT_FALSE(Enabled(IDCANCEL));
        EXPECT_FALSE(Enabled(ID_WIZBACK));

        const std::vector<LONG> projects = Projects();
        ASSERT_EQ(1u, projects.size());
        const LONG id = projects[0];
        EXPECT_EQ("Staff survey 2026", Property(id, "ProjectName"));
        EXPECT_EQ("answers@example.com", Property(id, "Email"));
        EXPECT_EQ("Survey answers", Property(id, "Subject"));
        EXPECT_EQ("[DONE]", Property(id, "SuccessMark"));
        EXPECT_EQ("[BAD]", Property(id, "FailedMark"));
        EXPECT_EQ("1", Property(id, "Completed"));
        EXPECT_EQ("RecipientEmail:VARCHAR(50),age:INTEGER,note:VARCHAR(255),who:VARCHAR(100)",
                  Scalar("SELECT group_concat(name || ':' || type, ',') FROM (SELECT name, type FROM "
                         "pragma_table_info('" +
                         table + "') ORDER BY name)"));

        const fs::path folder = DataDir() / std::to_string(id);
        const std::string saved = ReadFile(folder / "index.html");
        // Read in its own code page, written in the project library's UTF-8.
        EXPECT_NE(std::string::npos, saved.find("\xD0\x98\xD0\xBC\xD1\x8F <INPUT type=TEXT name=who>")) << saved;
        EXPECT_NE(std::string::npos, LowerAscii(saved).find("mailto:answers@example.com?subject=survey%20answers"))
            << saved;
        EXPECT_NE(std::string::npos, saved.find("name=kqProjectID")) << saved;
        EXPECT_NE(std::string::npos, saved.find("RecipientEmail")) << saved;
        EXPECT_EQ("GIF89a logo", ReadFile(folder / "_kqwpic_001.gif"));
    }

    CWEProjWizard m_sheet;
    std::string m_pagePath;
    std::vector<MessageBoxRequest> m_boxes;
    int m_boxAnswer = IDYES;
    ChooserRequest m_chooser;
    ChooserRequest m_dataLink;
    std::string m_dataLinkPath;  // the database's path when empty
    std::vector<int> m_tablesShown;
    std::vector<std::string> m_offeredSql;
    std::function<void(CWESqlEdit&)> m_sqlEdit = [](CWESqlEdit&) {};
};
