// The log viewer over daily files that the log writer wrote, and files
// written by hand as it writes them; the log settings dialog and what it
// refuses.

#include "AnsweredWindows.h"

#include "logs/CWELogsDialog.h"
#include "logs/CWELogsSettings.h"

#include "log/CWELog.h"
#include "log/LogFileName.h"

#include "testsupport/TempFolder.h"
#include "testsupport/TempRegistry.h"

#include "com/OleDate.h"
#include "ui/DlgItemInt.h"
#include "win/Time.h"

#include <QApplication>
#include <QHeaderView>
#include <QTreeWidget>

#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>

namespace {

class LogDialogsTest : public ::testing::Test, public AnsweredWindows {
protected:
    void SetUp() override
    {
        StartAnswering();
        std::filesystem::create_directories(m_logs);
        m_settings.m_strLogFolderPath = m_logs.string();
        m_settings.m_nMakeJounral = 1;
        m_settings.m_nAutoClear = 1;
    }
    void TearDown() override { StopAnswering(); }

    // Today's file, as the log writer makes it.
    std::string WriteTodaysLog()
    {
        CWELog log;
        log.SetSettings(&m_settings);
        EXPECT_EQ(1, log.Write(0x200022B1));
        SYSTEMTIME now{};
        GetLocalTime(&now);
        return LogFileName(now);
    }

    void WriteFile(const std::string& name, const std::string& bytes)
    {
        std::ofstream(m_logs / name, std::ios::binary) << bytes;
    }

    // Sets the file's times to noon of the day, local time.
    void Age(const std::string& name, int year, int month, int day)
    {
        std::tm tm{};
        tm.tm_year = year - 1900;
        tm.tm_mon = month - 1;
        tm.tm_mday = day;
        tm.tm_hour = 12;
        tm.tm_isdst = -1;
        timespec times[2] = {{std::mktime(&tm), 0}, {std::mktime(&tm), 0}};
        ASSERT_EQ(0, utimensat(AT_FDCWD, (m_logs / name).c_str(), times, 0));
    }

    static std::string Day(int year, int month, int day)
    {
        SYSTEMTIME time{};
        time.wYear = static_cast<WORD>(year);
        time.wMonth = static_cast<WORD>(month);
        time.wDay = static_cast<WORD>(day);
        CWELogItem item;
        SystemTimeToVariantTime(&time, &item.m_date);
        return CWELogsList::FormatDate(item);
    }

    static std::vector<std::string> Column(CListCtrl& list, int column)
    {
        std::vector<std::string> cells;
        for (int row = 0; row < list.GetItemCount(); ++row)
            cells.push_back(list.GetItemText(row, column));
        return cells;
    }

    static QTreeWidget* VisibleList()
    {
        for (QWidget* widget : QApplication::allWidgets())
            if (auto* view = qobject_cast<QTreeWidget*>(widget); view && view->isVisible())
                return view;
        return nullptr;
    }

    pollenta::testsupport::TempFolder m_folder{"pollenta-logs"};
    pollenta::testsupport::TempRegistry m_registry{m_folder.Path() / "registry"};
    std::filesystem::path m_logs = m_folder.Path() / "Logs";
    CWESettings m_settings;
};

const char kHeader[] = "#Software: Pollenta 1.4.0, released on November 10, 2006\r\n#Version: 1.4.0\r\n";

} // namespace

TEST_F(LogDialogsTest, ListsTheDaysLogsNewestFirstWithTheDayFromTheirHeader)
{
    std::string today = WriteTodaysLog();
    WriteFile("kq061110.log", std::string(kHeader) + "#Date: 2006-11-10 09:15:02\r\n#Fields: time profile status description\r\n"
                                                     "09:15:02\tOutlook\tI\tCOM Add-In launch...\r\n");
    // A log without a header is listed with the day its file was made.
    WriteFile("kq061109.log", "09:00:00\tOutlook\tI\tCOM Add-In launch...\r\n#Date: 2001-01-01\r\n");
    Age("kq061109.log", 2006, 11, 9);
    // Files that are not the log writer's stay out of the list.
    WriteFile("notes.log", "#Date: 2006-11-11\r\n");
    std::filesystem::create_directories(m_logs / "kq061108.log");

    CWELogsDialog dialog;
    dialog.m_pSettings = &m_settings;
    ASSERT_TRUE(dialog.Create());
    ShowWindow(dialog, SW_SHOW);
    CWELogsList& list = dialog.GetList();
    EXPECT_EQ((std::vector<std::string>{today, "kq061110.log", "kq061109.log"}), Column(list, 0));
    EXPECT_EQ(Day(2006, 11, 10), list.GetItemText(1, 1));
    EXPECT_EQ(Day(2006, 11, 9), list.GetItemText(2, 1));
    EXPECT_EQ("", list.GetShownEmptyText());
    EXPECT_TRUE(IsWindowEnabled(dialog.GetDlgItem(CWELogsDialog::IDC_DELETE_ALL)));
    EXPECT_FALSE(IsWindowEnabled(dialog.GetDlgItem(CWELogsDialog::IDC_OPEN)));
    SavePicture(dialog, "log-viewer");
}

TEST_F(LogDialogsTest, AColumnClickSortsByItAndASecondClickTurnsTheOrderRound)
{
    WriteFile("kq061110.log", "#Date: 2006-11-10\r\n");
    WriteFile("kq061111.log", "#Date: 2006-11-09\r\n");
    WriteFile("kq061112.log", "#Date: 10.11.2006 and more\r\n"); // no date: invalid
    CWELogsDialog dialog;
    dialog.m_pSettings = &m_settings;
    ASSERT_TRUE(dialog.Create());
    ShowWindow(dialog, SW_SHOW);
    CWELogsList& list = dialog.GetList();
    EXPECT_EQ((std::vector<std::string>{"kq061110.log", "kq061111.log", "kq061112.log"}), Column(list, 0));
    EXPECT_EQ("Invalid DateTime", list.GetItemText(2, 1));

    QTreeWidget* view = VisibleList();
    ASSERT_TRUE(view);
    Q_EMIT view->header()->sectionClicked(0);
    EXPECT_EQ((std::vector<std::string>{"kq061112.log", "kq061111.log", "kq061110.log"}), Column(list, 0));
    Q_EMIT view->header()->sectionClicked(0);
    EXPECT_EQ((std::vector<std::string>{"kq061110.log", "kq061111.log", "kq061112.log"}), Column(list, 0));
    EXPECT_EQ(CWELogsList::kNameColumn, list.GetSortColumn());
    EXPECT_FALSE(list.IsDescending());
}

TEST_F(LogDialogsTest, AnEmptyListSaysSoAndCannotDeleteAll)
{
    CWELogsDialog dialog;
    dialog.m_pSettings = &m_settings;
    ASSERT_TRUE(dialog.Create());
    ShowWindow(dialog, SW_SHOW);
    EXPECT_EQ("The log list is empty", dialog.GetList().GetShownEmptyText());
    EXPECT_FALSE(IsWindowEnabled(dialog.GetDlgItem(CWELogsDialog::IDC_DELETE_ALL)));
    SavePicture(dialog, "log-viewer-empty");
}

TEST_F(LogDialogsTest, OpenHandsTheFileToTheViewerAndALogDeletedMeanwhileLeavesTheList)
{
    WriteFile("kq061110.log", "#Date: 2006-11-10\r\n");
    WriteFile("kq061111.log", "#Date: 2006-11-11\r\n");
    CWELogsDialog dialog;
    dialog.m_pSettings = &m_settings;
    ASSERT_TRUE(dialog.Create());
    CWELogsList& list = dialog.GetList();
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_TRUE(IsWindowEnabled(dialog.GetDlgItem(CWELogsDialog::IDC_OPEN)));
    dialog.OnCommand(CWELogsDialog::IDC_OPEN, BN_CLICKED, nullptr);
    ASSERT_EQ(1u, m_launches.size());
    EXPECT_EQ("open", m_launches[0].verb);
    EXPECT_EQ((m_logs / "kq061111.log").string(), m_launches[0].file);

    std::filesystem::remove(m_logs / "kq061111.log");
    dialog.OnCommand(CWELogsDialog::IDC_OPEN, BN_CLICKED, nullptr);
    EXPECT_EQ(1u, m_launches.size());
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ("Log file not found.\nProbably it has been deleted or moved.", m_boxes[0].text);
    EXPECT_EQ("Pollenta", m_boxes[0].caption);
    EXPECT_EQ(MB_ICONERROR, m_boxes[0].type);
    EXPECT_EQ((std::vector<std::string>{"kq061110.log"}), Column(list, 0));
}

TEST_F(LogDialogsTest, DeleteRemovesTheChosenLogsAndDeleteAllNeverTouchesOtherFilesOrTheFolder)
{
    for (const char* name : {"kq061110.log", "kq061111.log", "kq061112.log"})
        WriteFile(name, "#Date: 2006-11-10\r\n");
    WriteFile("notes.log", "mine\r\n");
    WriteFile("report.txt", "mine\r\n");
    CWELogsDialog dialog;
    dialog.m_pSettings = &m_settings;
    ASSERT_TRUE(dialog.Create());
    CWELogsList& list = dialog.GetList();
    list.SortBy(CWELogsList::kNameColumn);
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    dialog.OnCommand(CWELogsDialog::IDC_DELETE, BN_CLICKED, nullptr);
    EXPECT_EQ((std::vector<std::string>{"kq061111.log"}), Column(list, 0));
    EXPECT_FALSE(std::filesystem::exists(m_logs / "kq061110.log"));
    EXPECT_FALSE(std::filesystem::exists(m_logs / "kq061112.log"));

    dialog.OnCommand(CWELogsDialog::IDC_DELETE_ALL, BN_CLICKED, nullptr);
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_FALSE(std::filesystem::exists(m_logs / "kq061111.log"));
    EXPECT_TRUE(std::filesystem::exists(m_logs / "notes.log"));
    EXPECT_TRUE(std::filesystem::exists(m_logs / "report.txt"));
    EXPECT_FALSE(IsWindowEnabled(dialog.GetDlgItem(CWELogsDialog::IDC_DELETE_ALL)));
}

TEST_F(LogDialogsTest, LogSettingsRefuseDaysOutsideOneToThreeThousandSixHundredFifty)
{
    m_settings.m_nKeepDays = 15;
    CWELogsSettings dialog;
    dialog.SetSettings(&m_settings);
    ASSERT_TRUE(dialog.Create());
    ShowWindow(dialog, SW_SHOW);
    HWND ok = dialog.GetDlgItem(IDOK);
    EXPECT_FALSE(IsWindowEnabled(ok)) << "nothing changed yet";
    EXPECT_EQ("15", GetWindowTextString(dialog.GetDlgItem(CWELogsSettings::IDC_KEEP_DAYS)));
    SavePicture(dialog, "log-settings");
    for (int id : {CWELogsSettings::IDC_ICON_SETTINGS, CWELogsSettings::IDC_ICON_FOLDER, CWELogsSettings::IDC_ICON_VIEW})
        EXPECT_GT(CountDrawnPixels(dialog.GetDlgItem(id)), 200) << "icon " << id;

    const std::pair<const char*, bool> entries[] = {
        {"0", false}, {"100000", false}, {"", false}, {"4294967296", false}, {"3651", false},
        {"1", true},  {"3650", true},    {"30", true},
    };
    for (const auto& [text, accepted] : entries) {
        SCOPED_TRACE(text);
        SetDlgItemText(dialog, CWELogsSettings::IDC_KEEP_DAYS, text);
        EXPECT_EQ(accepted, IsWindowEnabled(ok) != FALSE);
    }
    SetDlgItemText(dialog, CWELogsSettings::IDC_KEEP_DAYS, "100000");
    dialog.OnOK();
    EXPECT_EQ(15, m_settings.m_nKeepDays) << "a refused entry is not taken";
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
    SetDlgItemText(dialog, CWELogsSettings::IDC_KEEP_DAYS, "30");
    dialog.OnOK();
    EXPECT_EQ(30, m_settings.m_nKeepDays);
}

TEST_F(LogDialogsTest, UncheckingKeepLogsDisablesEveryOptionAndAnEmptyFolderKeepsTheDialogOpen)
{
    m_settings.m_nAddJournErrors = 0;
    m_settings.m_nAddJournService = 1;
    CWELogsSettings dialog;
    dialog.SetSettings(&m_settings);
    ASSERT_TRUE(dialog.Create());
    ShowWindow(dialog, SW_SHOW);
    HWND ok = dialog.GetDlgItem(IDOK);

    CheckDlgButton(dialog, CWELogsSettings::IDC_AUTO_CLEAR, BST_UNCHECKED);
    dialog.OnCommand(CWELogsSettings::IDC_AUTO_CLEAR, BN_CLICKED, nullptr);
    EXPECT_FALSE(IsWindowEnabled(dialog.GetDlgItem(CWELogsSettings::IDC_KEEP_DAYS)));
    EXPECT_TRUE(IsWindowEnabled(dialog.GetDlgItem(CWELogsSettings::IDC_LOG_FOLDER)));
    // The days no longer count: a bad entry there is not refused.
    SetDlgItemText(dialog, CWELogsSettings::IDC_KEEP_DAYS, "0");
    EXPECT_TRUE(IsWindowEnabled(ok));

    SetDlgItemText(dialog, CWELogsSettings::IDC_LOG_FOLDER, "");
    EXPECT_FALSE(IsWindowEnabled(ok));
    dialog.OnOK();
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(m_logs.string(), m_settings.m_strLogFolderPath);

    CheckDlgButton(dialog, CWELogsSettings::IDC_MAKE_JOURNAL, BST_UNCHECKED);
    dialog.OnCommand(CWELogsSettings::IDC_MAKE_JOURNAL, BN_CLICKED, nullptr);
    for (int id : {CWELogsSettings::IDC_AUTO_CLEAR, CWELogsSettings::IDC_KEEP_DAYS, CWELogsSettings::IDC_ADD_ERRORS,
                   CWELogsSettings::IDC_ADD_PROCESS, CWELogsSettings::IDC_ADD_SERVICE, CWELogsSettings::IDC_LOG_FOLDER,
                   CWELogsSettings::IDC_BROWSE}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(IsWindowEnabled(dialog.GetDlgItem(id)));
    }
    EXPECT_TRUE(IsWindowEnabled(ok));
    dialog.OnOK();
    EXPECT_EQ(0, m_settings.m_nMakeJounral);
    EXPECT_EQ(0, m_settings.m_nAutoClear);
    EXPECT_EQ(15, m_settings.m_nKeepDays);
    // The hidden check boxes pass back what they were given.
    EXPECT_EQ(0, m_settings.m_nAddJournErrors);
    EXPECT_EQ(1, m_settings.m_nAddJournProcess);
    EXPECT_EQ(1, m_settings.m_nAddJournService);
}

TEST_F(LogDialogsTest, BrowseOpensOnTheCurrentFolderAndTakesTheChosenOne)
{
    CWELogsSettings dialog;
    dialog.SetSettings(&m_settings);
    ASSERT_TRUE(dialog.Create());
    ChooserRequest asked;
    SetChooserHook([&](const ChooserRequest& request, std::string& path) {
        asked = request;
        path = "/srv/pollenta/logs";
        return true;
    });
    dialog.OnCommand(CWELogsSettings::IDC_BROWSE, BN_CLICKED, nullptr);
    EXPECT_EQ(ChooserRequest::Kind::Folder, asked.kind);
    EXPECT_EQ(m_logs.string(), asked.initialPath);
    EXPECT_EQ("Path to the folder on the disc the log files to be saved into:", asked.title);
    EXPECT_EQ("/srv/pollenta/logs", GetWindowTextString(dialog.GetDlgItem(CWELogsSettings::IDC_LOG_FOLDER)));
    EXPECT_TRUE(IsWindowEnabled(dialog.GetDlgItem(IDOK)));
}
