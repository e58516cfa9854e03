// The options page in the stand-in client's Options dialog, with the add-in
// connected in the same process: what the user changes there reaches the
// running answer collection at Apply, and the registry only at shut-down.

#include "ConnectTestSupport.h"

#include "outlookwindows/HostWindows.h"

#include "page/WESettingsPage.h"
#include "page/WESettingsPageRegistration.h"

#include "IWESettingsPage.h"
#include "com/Activation.h"
#include "com/ClassFactoryImpl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeWidget>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

QTreeWidgetItem* Item(QTreeWidget* tree, const char* name)
{
    QList<QTreeWidgetItem*> found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.size() == 1 ? found[0] : nullptr;
}

QAbstractButton* Button(QWidget* window, const QString& text)
{
    for (auto* button : window->findChildren<QAbstractButton*>())
        if (button->text().remove('&') == text)
            return button;
    return nullptr;
}

void ClickCheckBox(QTreeWidget* view, QTreeWidgetItem* row)
{
    view->scrollToItem(row);
    QRect rect = view->visualItemRect(row);
    QPoint at(rect.left() + 8, rect.center().y());
    QMouseEvent press(QEvent::MouseButtonPress, at, view->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &release);
}

}  // namespace

class OptionsInMailHostTest : public CConnectTest {
public:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        CConnectTest::SetUp();
        // The client's thread, as mailhost's own.
        ASSERT_EQ(S_OK, CoInitialize(nullptr));
        CComPtr<IMAPIFolder> top = SpecialFolder(m_store, PR_IPM_SUBTREE_ENTRYID);
        for (const char* name : {"Surveys", "Done"}) {
            CComPtr<IMAPIFolder> folder;
            ASSERT_EQ(S_OK, top->CreateFolder(FOLDER_GENERIC, const_cast<char*>(name), nullptr, nullptr, 0, &folder));
            m_ids[name] = EntryIdProp(folder);
        }
        ASSERT_EQ(S_OK, RegisterWESettingsPage(std::string(POLLENTA_BIN_DIR) + "/Kestrin.so"));
        // The page of this process, which reaches the add-in connected here.
        CComPtr<IUnknown> factory;
        ASSERT_EQ(S_OK, pollenta::com::MakeClassFactory<WESettingsPage>(IID_IUnknown, reinterpret_cast<void**>(&factory)));
        ASSERT_EQ(S_OK, CoRegisterClassObject(CLSID_WESettingsPage, factory, CLSCTX_INPROC_SERVER, 0, &m_cookie));
        ASSERT_EQ(S_OK, Connect(m_application));
        m_windows = std::make_unique<pollenta::outlook::HostWindows>(*m_host);
    }
    void TearDown() override
    {
        m_host->CloseWindows();
        m_windows.reset();
        CoRevokeClassObject(m_cookie);
        CConnectTest::TearDown();
        CoUninitialize();
    }

    QDialog* Options()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->windowTitle() == "Options")
                return dialog;
        return nullptr;
    }

    bool Watches(const std::string& name)
    {
        for (const CWEWatchedFolder& watched : g_pAddin->m_arrWatchedFolders)
            if (std::string(reinterpret_cast<const char*>(watched.m_FolderId.Bytes()), watched.m_FolderId.Size()) ==
                m_ids[name])
                return true;
        return false;
    }

    std::string RegistryText()
    {
        std::string all;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_registry.Path())) {
            if (!entry.is_regular_file())
                continue;
            std::ifstream file(entry.path(), std::ios::binary);
            std::stringstream text;
            text << file.rdbuf();
            all += entry.path().filename().string() + "\n" + text.str();
        }
        return all;
    }

    std::unique_ptr<pollenta::outlook::HostWindows> m_windows;
    std::map<std::string, std::string> m_ids;
    DWORD m_cookie = 0;
};

TEST_F(OptionsInMailHostTest, ApplyInTheOptionsDialogReachesTheRunningCollectionAndTheRegistryOnlyAtShutDown)
{
    const std::string registry = RegistryText();
    EXPECT_EQ((std::vector<std::string>{"Preferences", "Pollenta"}), m_windows->ShowOptions());
    QDialog* options = Options();
    ASSERT_TRUE(options);
    auto* tabs = options->findChild<QTabWidget*>();
    ASSERT_TRUE(tabs);
    tabs->setCurrentIndex(1);
    auto* tree = options->findChild<QTreeWidget*>();
    ASSERT_TRUE(tree) << "the page's controls are in the dialog";
    QAbstractButton* apply = Button(options, "Apply");
    ASSERT_TRUE(apply);
    EXPECT_FALSE(apply->isEnabled());

    QTreeWidgetItem* surveys = Item(tree, "Surveys");
    ASSERT_TRUE(surveys);
    ClickCheckBox(tree, surveys);
    auto* action = options->findChild<QComboBox*>();
    ASSERT_TRUE(action);
    action->setCurrentIndex(1);
    Q_EMIT action->activated(1);
    QTimer::singleShot(0, [] {
        QWidget* picker = QApplication::activeModalWidget();
        ASSERT_TRUE(picker);
        auto* folders = picker->findChild<QTreeWidget*>();
        // The picker reads a folder's children when it opens.
        std::vector<QTreeWidgetItem*> level;
        for (int i = 0; folders && i < folders->topLevelItemCount(); ++i)
            level.push_back(folders->topLevelItem(i));
        for (int depth = 0; depth < 3; ++depth) {
            std::vector<QTreeWidgetItem*> next;
            for (QTreeWidgetItem* item : level) {
                item->setExpanded(true);
                for (int i = 0; i < item->childCount(); ++i)
                    next.push_back(item->child(i));
            }
            level = next;
        }
        QTreeWidgetItem* done = folders ? Item(folders, "Done") : nullptr;
        if (done)
            folders->setCurrentItem(done);
        if (QAbstractButton* ok = Button(picker, "OK"); ok && done)
            ok->click();
        else
            picker->close();
    });
    Button(options, "...")->click();
    EXPECT_TRUE(apply->isEnabled());
    std::filesystem::path pictures = std::filesystem::path(POLLENTA_TEST_DIR).parent_path() / "screenshots";
    std::filesystem::create_directories(pictures);
    EXPECT_TRUE(options->grab().save(QString::fromStdString((pictures / "mailhost-options-page.png").string())));

    EXPECT_FALSE(Watches("Surveys"));
    apply->click();
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_TRUE(Watches("Surveys"));
    EXPECT_EQ(1, g_pAddin->m_Settings.m_nMessageAction);
    EXPECT_EQ(m_ids["Done"], std::string(reinterpret_cast<const char*>(g_pAddin->m_Settings.m_DstFolder.m_FolderId.Bytes()),
                                          g_pAddin->m_Settings.m_DstFolder.m_FolderId.Size()));
    EXPECT_EQ(registry, RegistryText()) << "the page wrote to the registry";

    m_host->CloseWindows();
    ASSERT_EQ(S_OK, Disconnect());
    EXPECT_NE(registry, RegistryText());
    CWESettings saved;
    saved.SetProfileName("Test");
    saved.LoadJournal();
    ASSERT_EQ(S_OK, saved.LoadFolders());
    EXPECT_EQ(1, saved.m_nMessageAction);
    EXPECT_EQ(2u, saved.m_arrFolders.size());
}
