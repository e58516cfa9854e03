// The options page in the stand-in client's Options dialog, with the add-in
// connected in the same process: what the user changes there reaches the
// running answer collection at Apply, and the registry only at shut-down.
// Answers are real messages delivered into the client's own store, and the
// collection stores them in a project's SQLite table.

#include "AnswerEml.h"
#include "AnswerProject.h"
#include "ConnectTestSupport.h"
#include "ModalDriver.h"

#include "outlookwindows/HostWindows.h"

#include "page/IWEOptionsHost.h"
#include "page/WESettingsPage.h"
#include "page/WESettingsPageRegistration.h"
#include "processor/CWEInboxProcessor.h"

#include "IWESettingsPage.h"
#include "com/Activation.h"
#include "com/ClassFactoryImpl.h"
#include "mapi/MapiAdmin.h"
#include "ui/DialogHook.h"
#include "ui/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeWidget>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

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

// The add-in as the page's host, with something done while the answer
// collection stands still between the page's pause and resume.
class CHostWithPauseWork : public IWEOptionsHost {
public:
    CHostWithPauseWork(IWEOptionsHost& host, std::function<void()> work) : m_host(host), m_work(std::move(work)) {}

    CWESettings& GetLiveSettings() override { return m_host.GetLiveSettings(); }
    IMAPISession* GetSession() override { return m_host.GetSession(); }
    bool HasActivationContext() override { return m_host.HasActivationContext(); }
    bool PauseCollection(DWORD timeoutMs) override
    {
        const bool paused = m_host.PauseCollection(timeoutMs);
        if (paused)
            m_work();
        return paused;
    }
    void RebuildWatchedFolders() override { m_host.RebuildWatchedFolders(); }
    void ResumeCollection() override { m_host.ResumeCollection(); }

private:
    IWEOptionsHost& m_host;
    std::function<void()> m_work;
};

// The add-in as the page's host while answers keep it busy: the collection
// does not pause in time, until `busy` is cleared.
class CBusyHost : public IWEOptionsHost {
public:
    explicit CBusyHost(IWEOptionsHost& host) : m_host(host) {}

    CWESettings& GetLiveSettings() override { return m_host.GetLiveSettings(); }
    IMAPISession* GetSession() override { return m_host.GetSession(); }
    bool HasActivationContext() override { return m_host.HasActivationContext(); }
    bool PauseCollection(DWORD timeoutMs) override { return !busy && m_host.PauseCollection(timeoutMs); }
    void RebuildWatchedFolders() override { m_host.RebuildWatchedFolders(); }
    void ResumeCollection() override { m_host.ResumeCollection(); }

    bool busy = true;

private:
    IWEOptionsHost& m_host;
};

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
        for (const char* name : {"Surveys", "Done"})
            MakeFolder(top, name);
        CComPtr<IMAPIFolder> surveys = OpenFolder(m_store, m_ids["Surveys"]);
        for (const char* name : {"Spring", "Autumn", "Winter"})
            MakeFolder(surveys, name);
        m_ids["Inbox"] = InboxId();
        ASSERT_NO_THROW(m_projectId = AnswerProject::Create(Database()));
        ASSERT_EQ(S_OK, RegisterWESettingsPage(std::string(POLLENTA_BIN_DIR) + "/Kestrin.so"));
        // The page of this process, which reaches the add-in connected here.
        CComPtr<IUnknown> factory;
        ASSERT_EQ(S_OK, pollenta::com::MakeClassFactory<WESettingsPage>(IID_IUnknown, reinterpret_cast<void**>(&factory)));
        ASSERT_EQ(S_OK, CoRegisterClassObject(CLSID_WESettingsPage, factory, CLSCTX_INPROC_SERVER, 0, &m_cookie));
        ASSERT_EQ(S_OK, Connect(m_application));
        m_windows = std::make_unique<pollenta::outlook::HostWindows>(*m_host);
        // The test answers the add-in's modal dialogs from their loop.
        SetDialogShownHook([](CDialog&) {});
    }
    void TearDown() override
    {
        SetDialogShownHook({});
        m_host->CloseWindows();
        m_windows.reset();
        CoRevokeClassObject(m_cookie);
        CConnectTest::TearDown();
        CoUninitialize();
    }

    void MakeFolder(IMAPIFolder* parent, const char* name)
    {
        CComPtr<IMAPIFolder> folder;
        ASSERT_EQ(S_OK, parent->CreateFolder(FOLDER_GENERIC, const_cast<char*>(name), nullptr, nullptr, 0, &folder));
        m_ids[name] = EntryIdProp(folder);
    }

    std::string InboxId()
    {
        ULONG size = 0;
        LPENTRYID id = nullptr;
        EXPECT_EQ(S_OK, m_store->GetReceiveFolder(const_cast<char*>(""), 0, &size, &id, nullptr));
        std::string bytes(reinterpret_cast<const char*>(id), size);
        MAPIFreeBuffer(id);
        return bytes;
    }

    std::string Database() const { return m_dir + "/answers.db"; }

    // An answer to the project as a mail client posts the survey's form,
    // delivered into the client's store.
    void DeliverAnswer(const std::string& folder, int seq)
    {
        const AnswerEml::Fields fields = {
            {"kqProjectID", std::to_string(m_projectId)}, {"Seq", std::to_string(seq)}, {"Name", "Ann Example"}};
        const std::string eml = AnswerEml::Message("Customer survey " + std::to_string(seq), AnswerEml::FormData(fields));
        CComPtr<IMAPIFolder> target = OpenFolder(m_store, m_ids[folder]);
        std::string entryId;
        ASSERT_EQ(S_OK, pollenta::mapi::DeliverMime(m_store, target, std::vector<BYTE>(eml.begin(), eml.end()), &entryId));
    }

    ULONG MessagesIn(const std::string& folder)
    {
        CComPtr<IMAPITable> contents;
        ULONG count = 0;
        EXPECT_EQ(S_OK, OpenFolder(m_store, m_ids[folder])->GetContentsTable(0, &contents));
        EXPECT_EQ(S_OK, contents->GetRowCount(0, &count));
        return count;
    }

    // Waits until the notifications of the store are handed out and the
    // answer collection has nothing left queued from them, then a little
    // longer for anything that would be stored a second time.
    void WaitForQuiet()
    {
        HrDispatchNotifications(0);
        for (int i = 0; i < 200 && g_pInboxProcessor && g_pInboxProcessor->PendingNotifications() > 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
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

    // The Options dialog with the add-in's page in front.
    QDialog* ShowThePage()
    {
        EXPECT_EQ((std::vector<std::string>{"Preferences", "Pollenta"}), m_windows->ShowOptions());
        QDialog* options = Options();
        if (auto* tabs = options ? options->findChild<QTabWidget*>() : nullptr)
            tabs->setCurrentIndex(1);
        return options;
    }

    std::unique_ptr<pollenta::outlook::HostWindows> m_windows;
    std::map<std::string, std::string> m_ids;
    LONG m_projectId = 0;
    DWORD m_cookie = 0;
};

TEST_F(OptionsInMailHostTest, AnswersInTheSubfoldersTickedAtApplyAreStoredOnceEachAndTheSettingsReachTheRegistryAtShutDown)
{
    const std::string registry = RegistryText();
    // The collection runs: an answer in the Inbox that the add-in watches
    // from its first start is stored.
    DeliverAnswer("Inbox", 1);
    ASSERT_TRUE(AnswerProject::WaitForRecords(Database(), 1));

    // The page reaches the add-in through a host that delivers answers
    // while the page holds the collection paused.
    long long storedAtPause = -1, storedAtResume = -1;
    std::size_t queuedInPause = 0;
    CHostWithPauseWork host(*g_pAddin, [&] {
        storedAtPause = AnswerProject::Count(Database());
        DeliverAnswer("Inbox", 6);
        DeliverAnswer("Inbox", 7);
        DeliverAnswer("Autumn", 8);
        HrDispatchNotifications(0);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        storedAtResume = AnswerProject::Count(Database());
        // The Inbox's two are told and wait; Autumn is not watched yet.
        queuedInPause = g_pInboxProcessor ? g_pInboxProcessor->PendingNotifications() : 0;
    });
    SetOptionsHost(&host);
    EXPECT_EQ((std::vector<std::string>{"Preferences", "Pollenta"}), m_windows->ShowOptions());
    SetOptionsHost(g_pAddin);
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
    surveys->setExpanded(true);
    for (const char* name : {"Spring", "Autumn"}) {
        ASSERT_TRUE(Item(tree, name)) << name << " is shown once Surveys is expanded";
        ClickCheckBox(tree, Item(tree, name));
    }
    // Two of three subfolders: Surveys and the store are partly ticked.
    const std::pair<const char*, Qt::CheckState> boxes[] = {{"Main", Qt::PartiallyChecked},
                                                            {"Surveys", Qt::PartiallyChecked},
                                                            {"Spring", Qt::Checked},
                                                            {"Autumn", Qt::Checked},
                                                            {"Winter", Qt::Unchecked},
                                                            {"Inbox", Qt::Checked}};
    for (const auto& [name, box] : boxes) {
        SCOPED_TRACE(name);
        EXPECT_EQ(box, Item(tree, name)->checkState(0));
    }
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

    // Answers waiting before Apply: in the Inbox, and in a subfolder that
    // only Apply makes watched.
    for (int seq = 2; seq <= 4; ++seq)
        DeliverAnswer("Inbox", seq);
    DeliverAnswer("Spring", 5);
    EXPECT_FALSE(Watches("Spring"));
    apply->click();
    EXPECT_FALSE(apply->isEnabled());
    ASSERT_GE(storedAtPause, 1) << "Apply paused the collection";
    EXPECT_EQ(storedAtPause, storedAtResume) << "nothing is stored during the pause";
    EXPECT_GE(queuedInPause, 2u);
    for (const char* name : {"Inbox", "Spring", "Autumn"})
        EXPECT_TRUE(Watches(name)) << name;
    for (const char* name : {"Surveys", "Winter"})
        EXPECT_FALSE(Watches(name)) << name;
    EXPECT_EQ(1, g_pAddin->m_Settings.m_nMessageAction);
    EXPECT_EQ(m_ids["Done"], std::string(reinterpret_cast<const char*>(g_pAddin->m_Settings.m_DstFolder.m_FolderId.Bytes()),
                                          g_pAddin->m_Settings.m_DstFolder.m_FolderId.Size()));

    // A new answer in a subfolder ticked at Apply.
    DeliverAnswer("Spring", 9);
    ASSERT_TRUE(AnswerProject::WaitForRecords(Database(), 9));
    WaitForQuiet();
    EXPECT_EQ(9, AnswerProject::Count(Database()));
    EXPECT_EQ("9", AnswerProject::Scalar(Database(), "SELECT COUNT(DISTINCT Seq) FROM Answers"));
    // Whatever was processed after Apply moved to Done; nothing is left in
    // the subfolders.
    EXPECT_EQ(0u, MessagesIn("Spring"));
    EXPECT_EQ(0u, MessagesIn("Autumn"));
    EXPECT_EQ(9u, MessagesIn("Inbox") + MessagesIn("Done"));
    EXPECT_GE(MessagesIn("Done"), 4u);
    EXPECT_EQ(registry, RegistryText()) << "the page wrote to the registry";

    m_host->CloseWindows();
    ASSERT_EQ(S_OK, Disconnect());
    EXPECT_NE(registry, RegistryText());
    CWESettings saved;
    saved.SetProfileName("Test");
    saved.LoadJournal();
    ASSERT_EQ(S_OK, saved.LoadFolders());
    EXPECT_EQ(1, saved.m_nMessageAction);
    EXPECT_EQ(m_ids["Done"], std::string(reinterpret_cast<const char*>(saved.m_DstFolder.m_FolderId.Bytes()),
                                          saved.m_DstFolder.m_FolderId.Size()));
    std::map<std::string, DWORD> folders;
    for (const CWEWatchedFolder& folder : saved.m_arrFolders)
        for (const auto& [name, id] : m_ids)
            if (id == std::string(reinterpret_cast<const char*>(folder.m_FolderId.Bytes()), folder.m_FolderId.Size()))
                folders[name] = folder.m_dwFlags;
    const DWORD whole = CWEWatchedFolder::kWatchFolder | CWEWatchedFolder::kWatchSubfolders;
    EXPECT_EQ((std::map<std::string, DWORD>{{"Autumn", whole}, {"Inbox", whole}, {"Spring", whole}}), folders);
    EXPECT_EQ(3u, saved.m_arrFolders.size());
}

TEST_F(OptionsInMailHostTest, AboutOnThePageOpensTheAboutBox)
{
    QDialog* options = ShowThePage();
    ASSERT_TRUE(options);
    QAbstractButton* about = Button(options, "About...");
    ASSERT_TRUE(about);
    ModalDriver box([](QWidget* dialog) { ClickButton(dialog, "OK"); });
    about->click();
    EXPECT_EQ("About Pollenta...", box.Title());
}

TEST_F(OptionsInMailHostTest, ApplyWhileAnswersAreBeingProcessedSaysSoAndKeepsTheDialogAndTheChangesUntilItWorks)
{
    std::vector<std::string> boxes;
    const MessageBoxHook previous = SetMessageBoxHook([&](const MessageBoxRequest& request) {
        boxes.push_back(request.text);
        return IDOK;
    });
    CBusyHost host(*g_pAddin);
    SetOptionsHost(&host);
    QDialog* options = ShowThePage();
    SetOptionsHost(g_pAddin);
    ASSERT_TRUE(options);
    auto* tree = options->findChild<QTreeWidget*>();
    ASSERT_TRUE(tree);
    ASSERT_TRUE(Item(tree, "Surveys"));
    Item(tree, "Surveys")->setExpanded(true);
    ClickCheckBox(tree, Item(tree, "Spring"));
    QAbstractButton* apply = Button(options, "Apply");
    ASSERT_TRUE(apply && apply->isEnabled());

    Button(options, "OK")->click();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("The settings could not be applied because answers are being processed right now.\nPlease try again "
              "in a moment: your changes are still on the page.",
              boxes[0]);
    EXPECT_TRUE(options->isVisible()) << "OK did not close the dialog over changes never applied";
    EXPECT_TRUE(apply->isEnabled());
    EXPECT_FALSE(Watches("Spring"));

    host.busy = false;
    apply->click();
    EXPECT_EQ(1u, boxes.size());
    EXPECT_FALSE(apply->isEnabled());
    EXPECT_TRUE(Watches("Spring"));
    SetMessageBoxHook(previous);
}
