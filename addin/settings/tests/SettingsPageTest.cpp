// The options page on a real profile with an add-in stand-in: what it
// shows, when it is dirty, what Apply does to the live settings and the
// collection, and that the registry stays untouched.

#include "OptionsDialogTemplate.h"
#include "SettingsWindowTest.h"

#include "page/CWESettingsPageDialog.h"

#include "ui/ComboBox.h"
#include "ui/Dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QTimer>
#include <QTreeWidget>

#include <fstream>
#include <sstream>

namespace {

// The running add-in as the page sees it: records what the page asks.
class CAddinStandIn : public IWEOptionsHost {
public:
    CWESettings& GetLiveSettings() override { return m_live; }
    IMAPISession* GetSession() override { return m_session; }
    bool HasActivationContext() override { return m_themed; }
    bool PauseCollection(DWORD timeoutMs) override
    {
        m_calls.push_back("pause");
        m_timeout = timeoutMs;
        return m_pauses;
    }
    void RebuildWatchedFolders() override
    {
        m_calls.push_back("rebuild with " + std::to_string(m_live.m_arrFolders.size()) + " folders");
    }
    void ResumeCollection() override { m_calls.push_back("resume"); }

    CWESettings m_live;
    IMAPISession* m_session = nullptr;
    bool m_themed = true;
    bool m_pauses = true;
    DWORD m_timeout = 0;
    std::vector<std::string> m_calls;
};

class SettingsPageTest : public SettingsWindowTest {
protected:
    void SetUp() override
    {
        SettingsWindowTest::SetUp();
        m_surveys = AddFolderIn({}, "Surveys");
        m_spring = AddFolderIn(m_surveys, "Spring");
        m_done = AddFolderIn(m_surveys, "Done");
        m_host.m_session = m_session;
        m_host.m_live.m_arrFolders = {Folder(m_surveys, 3)};
        m_host.m_live.m_nIgnoreServFolders = 0;
        m_host.m_live.m_nMessageAction = 1;
        m_host.m_live.m_DstFolder = Folder(m_done, 0);
    }

    CWEWatchedFolder Folder(const std::string& folderId, DWORD flags)
    {
        CWEWatchedFolder folder;
        folder.m_StoreId = Id(m_storeId);
        folder.m_FolderId = Id(folderId);
        folder.m_dwFlags = flags;
        return folder;
    }

    void Open()
    {
        ASSERT_TRUE(m_options.Create());
        ASSERT_TRUE(m_page.Create(&m_options));
        ShowWindow(m_page, SW_SHOW);
        m_page.SetStatusChangeSink([this] { ++m_statusChanges; });
    }

    // Icons 211, 212 and 214 head the page's three sections, and the tree
    // shows its folder pictures and boxes.
    void ExpectSectionIcons()
    {
        for (int id : {228, 229, 230})
            EXPECT_GT(CountDrawnPixels(m_page.GetDlgItem(id)), 200) << id;
        EXPECT_GT(CountColouredPixels(m_page.GetDlgItem(CWESettingsPageDialog::IDC_FOLDERS)), 20);
    }

    void ChooseAction(int action)
    {
        CComboBox combo;
        combo.Attach(m_page.GetDlgItem(CWESettingsPageDialog::IDC_ACTION));
        combo.SetCurSel(action);
        m_page.OnCommand(CWESettingsPageDialog::IDC_ACTION, CBN_SELCHANGE, nullptr);
        combo.Detach();
    }

    // The registry's files, to see that nothing was written.
    std::string RegistryText()
    {
        std::string all;
        for (const auto& entry : std::filesystem::directory_iterator(m_registry.Path())) {
            std::ifstream file(entry.path(), std::ios::binary);
            std::stringstream text;
            text << file.rdbuf();
            all += entry.path().filename().string() + "\n" + text.str();
        }
        return all;
    }

    CAddinStandIn m_host;
    DialogTemplate m_optionsTemplate = OptionsDialogTemplate();
    CDialog m_options{m_optionsTemplate};
    CWESettingsPageDialog m_page{&m_host};
    int m_statusChanges = 0;
    std::string m_surveys, m_spring, m_done;
};

} // namespace

TEST_F(SettingsPageTest, ShowsTheLiveSettingsThemedAndClassic)
{
    Open();
    DWORD bits = 0;
    ASSERT_EQ(S_OK, m_page.GetTree().GetFolderChState(Id(m_storeId), Id(m_surveys), &bits, nullptr));
    EXPECT_EQ(3u, bits);
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(m_page, CWESettingsPageDialog::IDC_IGNORE_SERVICE));
    EXPECT_EQ("Done", GetWindowTextString(m_page.GetDlgItem(CWESettingsPageDialog::IDC_DESTINATION)));
    EXPECT_TRUE(IsWindowEnabled(m_page.GetDlgItem(CWESettingsPageDialog::IDC_CHOOSE_FOLDER)));
    EXPECT_FALSE(m_page.IsDirty());
    EXPECT_FALSE(IsWindowClassic(m_page.GetDlgItem(CWESettingsPageDialog::IDC_HELP)));
    SavePicture(m_options, "settings-page-themed");
    ExpectSectionIcons();

}

TEST_F(SettingsPageTest, ThemedControlsDrawThemselvesAndRedrawOnAThemeChange)
{
    Open();
    HWND help = m_page.GetDlgItem(CWESettingsPageDialog::IDC_HELP);
    const std::string picturePath = m_dir + "/help-button.png";
    auto centre = [&] {
        EXPECT_TRUE(SaveWindowPicture(help, picturePath.c_str()));
        QImage picture(QString::fromStdString(picturePath));
        return picture.pixelColor(picture.width() / 4, picture.height() / 2);
    };
    EXPECT_GT(CountDrawnPixels(help), 50) << "the button's face and text";
    EXPECT_GT(CountDrawnPixels(m_page.GetDlgItem(231)), 30) << "a themed static's text";
    const QPalette before = QApplication::palette();
    QPalette changed = before;
    changed.setColor(QPalette::Button, QColor(200, 40, 40));
    QApplication::setPalette(changed);
    PumpWaitingMessages();
    const QColor recoloured = centre();
    QApplication::setPalette(before);
    PumpWaitingMessages();
    EXPECT_NE(recoloured, centre()) << "the face follows the palette of the desktop's theme";
}

TEST_F(SettingsPageTest, WithoutVisualStylesOfItsOwnThePageDrawsClassic)
{
    m_host.m_themed = false;
    Open();
    EXPECT_TRUE(IsWindowClassic(m_page.GetDlgItem(CWESettingsPageDialog::IDC_HELP)));
    EXPECT_TRUE(IsWindowClassic(m_page.GetDlgItem(CWESettingsPageDialog::IDC_FOLDERS)));
    SavePicture(m_options, "settings-page-classic");
    ExpectSectionIcons();
}

TEST_F(SettingsPageTest, UncheckingEveryFolderOrAMoveWithoutTargetMakesThePageNotDirty)
{
    Open();
    HTREEITEM surveys = nullptr;
    DWORD bits = 0;
    ASSERT_EQ(S_OK, m_page.GetTree().GetFolderChState(Id(m_storeId), Id(m_surveys), &bits, &surveys));
    ChooseAction(2);
    EXPECT_TRUE(m_page.IsDirty());
    EXPECT_FALSE(IsWindowEnabled(m_page.GetDlgItem(CWESettingsPageDialog::IDC_CHOOSE_FOLDER)));

    m_page.GetTree().UpdateCheckState(surveys, CZrMAPITreeCtrl::CheckOp::UntickAll);
    EXPECT_EQ(0, m_page.CollectSettings());
    EXPECT_FALSE(m_page.IsDirty());

    m_page.GetTree().UpdateCheckState(surveys, CZrMAPITreeCtrl::CheckOp::Tick);
    m_host.m_live.m_DstFolder = CWEWatchedFolder();
    CWESettingsPageDialog fresh(&m_host);
    ASSERT_TRUE(fresh.Create(&m_options));
    EXPECT_EQ("", GetWindowTextString(fresh.GetDlgItem(CWESettingsPageDialog::IDC_DESTINATION)));
    EXPECT_EQ(0, fresh.CollectSettings()) << "a move with no target folder";
    EXPECT_GT(m_statusChanges, 0);
}

TEST_F(SettingsPageTest, AWholeTickedSubtreeIsOneRecordAndPartlyTickedOnesListTheirFolders)
{
    Open();
    EXPECT_EQ(1, m_page.CollectSettings());
    ASSERT_EQ(1u, m_page.GetSettingsCopy().m_arrFolders.size());
    EXPECT_EQ(3u, m_page.GetSettingsCopy().m_arrFolders[0].m_dwFlags);
    EXPECT_EQ("Surveys", m_page.GetSettingsCopy().m_arrFolders[0].m_strName);

    HTREEITEM surveys = nullptr;
    DWORD bits = 0;
    m_page.GetTree().GetFolderChState(Id(m_storeId), Id(m_surveys), &bits, &surveys);
    m_page.GetTree().Expand(surveys, TVE_EXPAND);
    HTREEITEM spring = nullptr;
    ASSERT_EQ(S_OK, m_page.GetTree().GetFolderChState(Id(m_storeId), Id(m_spring), &bits, &spring));
    m_page.GetTree().UpdateCheckState(spring, CZrMAPITreeCtrl::CheckOp::Untick);
    EXPECT_EQ(2, m_page.CollectSettings());
    const auto& folders = m_page.GetSettingsCopy().m_arrFolders;
    ASSERT_EQ(2u, folders.size());
    EXPECT_EQ("Surveys", folders[0].m_strName);
    EXPECT_EQ(1u, folders[0].m_dwFlags);
    EXPECT_EQ("Done", folders[1].m_strName);
    EXPECT_EQ(3u, folders[1].m_dwFlags);
}

TEST_F(SettingsPageTest, ApplyPausesTheCollectionSwapsTheSettingsAndResumesWithoutWritingTheRegistry)
{
    std::string registry = RegistryText();
    Open();
    ChooseAction(3);
    CheckDlgButton(m_page, CWESettingsPageDialog::IDC_IGNORE_SERVICE, BST_CHECKED);
    m_page.OnCommand(CWESettingsPageDialog::IDC_IGNORE_SERVICE, BN_CLICKED, nullptr);
    EXPECT_EQ(1, m_host.m_live.m_nMessageAction) << "the live settings wait for Apply";
    EXPECT_EQ(S_OK, m_page.Apply());
    EXPECT_EQ((std::vector<std::string>{"pause", "rebuild with 1 folders", "resume"}), m_host.m_calls);
    EXPECT_EQ(CWESettingsPageDialog::kPauseTimeoutMs, m_host.m_timeout);
    EXPECT_EQ(3, m_host.m_live.m_nMessageAction);
    EXPECT_EQ(1, m_host.m_live.m_nIgnoreServFolders);
    EXPECT_FALSE(m_page.IsDirty());
    EXPECT_EQ(registry, RegistryText());
}

TEST_F(SettingsPageTest, AProcessorThatDoesNotPauseInTimeKeepsTheOldSettingsAndThePageDirtyAndSaysSo)
{
    m_host.m_pauses = false;
    Open();
    ChooseAction(4);
    ASSERT_TRUE(m_page.IsDirty());
    EXPECT_EQ(E_FAIL, m_page.Apply());
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_NE(std::string::npos, m_boxes[0].text.find("answers are being processed"));
    EXPECT_EQ("Pollenta", m_boxes[0].caption);
    EXPECT_EQ((std::vector<std::string>{"pause"}), m_host.m_calls);
    EXPECT_EQ(1, m_host.m_live.m_nMessageAction);
    EXPECT_TRUE(m_page.IsDirty());
}

TEST_F(SettingsPageTest, TheFolderButtonTakesTheFolderChosenInThePicker)
{
    m_host.m_live.m_DstFolder = CWEWatchedFolder();
    Open();
    ChooseAction(1);
    EXPECT_FALSE(m_page.IsDirty());
    // The user in the picker: expands the store and Surveys, picks Spring, presses OK.
    QTimer::singleShot(0, [] {
        QWidget* picker = QApplication::activeModalWidget();
        ASSERT_TRUE(picker);
        auto* tree = picker->findChild<QTreeWidget*>();
        ASSERT_TRUE(tree);
        for (const char* name : {"Main", "Surveys"}) {
            QList<QTreeWidgetItem*> found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
            ASSERT_EQ(1, found.size()) << name;
            found[0]->setExpanded(true);
        }
        QList<QTreeWidgetItem*> found;
        found = tree->findItems("Spring", Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(1, found.size());
        tree->setCurrentItem(found[0]);
        for (auto* button : picker->findChildren<QAbstractButton*>())
            if (button->text() == "OK")
                button->click();
    });
    m_page.OnChooseFolder();
    EXPECT_EQ("Spring", GetWindowTextString(m_page.GetDlgItem(CWESettingsPageDialog::IDC_DESTINATION)));
    EXPECT_TRUE(m_page.IsDirty());
}
