// The survey road in the stand-in client with its windows offscreen: the
// add-in's menu, the project picker over the project library, the survey
// message in its inspector with "Send survey", and the About box. Pictures
// of the windows land in the build's tests folder.

#include "ConnectTestSupport.h"
#include "ModalDriver.h"
#include "Regsvr.h"
#include "StandInSender.h"
#include "SurveyTestSupport.h"
#include "WidgetClicks.h"

#include "about/CWEAbout.h"
#include "module/ActivationScope.h"
#include "picker/CWEProjPickerDlg.h"
#include "util/ClientVersion.h"

#include "ReadableWindows.h"

#include "IHubberly.h"
#include "outlook/EditorPreference.h"
#include "outlookwindows/HostWindows.h"

#include "com/Activation.h"
#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "mapi/IAttachment.h"
#include "mapi/MapiUtil.h"
#include "mapi/PropTags.h"
#include "ui/MessageBox.h"
#include "ui/Screenshot.h"
#include "ui/Theme.h"
#include "ui/Window.h"

#include <QLineEdit>
#include <QTableView>
#include <QTreeWidget>

#include <cstring>
#include <fstream>

namespace {

const std::string kPictures = POLLENTA_TEST_DIR;

}  // namespace

class SurveyWindowsTest : public CConnectTest {
public:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        CConnectTest::SetUp();
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        pollenta::outlook::EnsureEditorPreference(pollenta::outlook::kDefaultClientVersion);
        m_previousHook = SetMessageBoxHook([this](const MessageBoxRequest& request) {
            m_boxes.push_back(request.text);
            return IDYES;
        });
        m_windows = std::make_unique<pollenta::outlook::HostWindows>(*m_host);
    }
    void TearDown() override
    {
        Disconnect();
        m_explorer.Release();
        m_host->CloseWindows();
        m_windows.reset();
        SetMessageBoxHook(m_previousHook);
        CoUninitialize();
        CConnectTest::TearDown();
    }

    void RegisterProjectLibrary()
    {
        AddinTestFolder::SetText(HKEY_CURRENT_USER, kRoot, "DataDir", m_dir + "/data");
        AddinTestFolder::SetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Office\\11.0\\Access\\Menu Add-Ins", "", "");
        ASSERT_EQ(0, Regsvr("/s", "Gastrel.so"));
    }
    CComPtr<IHubberly> Hubberly()
    {
        CLSID clsid = GUID_NULL;
        CComPtr<IHubberly> hubberly;
        EXPECT_EQ(S_OK, CLSIDFromProgID(kHubberlyProgIDW, &clsid));
        EXPECT_EQ(S_OK, CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IHubberly,
                                         reinterpret_cast<void**>(&hubberly)));
        return hubberly;
    }
    // A project with its page naming two pictures; finished when `completed`.
    LONG MakeProject(const std::string& name, bool completed)
    {
        CComPtr<IHubberly> hubberly = Hubberly();
        LONG id = 0;
        EXPECT_EQ(S_OK, hubberly->CreateProject(CComVariant(name), &id));
        if (completed)
            EXPECT_EQ(S_OK, hubberly->FinalizeProject(id));
        CComBSTR folder;
        EXPECT_EQ(S_OK, hubberly->GetProjectDir(id, &folder));
        const std::string dir = folder.ToString();
        std::filesystem::create_directories(dir);
        std::ofstream(dir + "/index.html") << "<HTML><BODY><H1>" << name
                                           << "</H1><IMG SRC=\"_kqwpic_001.gif\"><IMG SRC='Blue Sky.png'>"
                                              "<FORM METHOD=POST ACTION=\"mailto:answers@example.com\">"
                                              "<INPUT TYPE=hidden NAME=kqProjectID VALUE="
                                           << id << "></FORM></BODY></HTML>";
        std::ofstream(dir + "/_kqwpic_001.gif") << "GIF89a";
        std::ofstream(dir + "/Blue Sky.png") << "\x89PNG";
        return id;
    }
    void OpenExplorerAndConnect()
    {
        ASSERT_EQ(S_OK, m_host->OpenExplorer(&m_explorer));
        ASSERT_EQ(S_OK, Connect(m_application));
        m_windows->ProcessEvents();
    }
    static std::vector<std::string> Rows(QWidget* dialog)
    {
        std::vector<std::string> rows;
        auto* list = dialog->findChild<QTreeWidget*>();
        for (int i = 0; list && i < list->topLevelItemCount(); ++i)
            rows.push_back(list->topLevelItem(i)->text(0).toStdString());
        return rows;
    }
    static void Select(QWidget* dialog, const std::string& name)
    {
        auto* list = dialog->findChild<QTreeWidget*>();
        for (int i = 0; list && i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(0).toStdString() == name)
                list->setCurrentItem(list->topLevelItem(i));
    }

    // The client's main window, or the window of its one open message.
    static QMainWindow* ClientWindow(bool inspector)
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<QMainWindow*>(widget);
                window && window->isVisible() && (window->findChild<QLineEdit*>("subject") != nullptr) == inspector)
                return window;
        return nullptr;
    }
    // "Create survey..." from the menu, with the project picked in the
    // picker as a person picks it: a click on its row, then OK.
    void CreateSurveyFromTheMenu(const std::string& project)
    {
        ModalDriver picker([&](QWidget* dialog) {
            auto* list = dialog->findChild<QTreeWidget*>();
            for (int i = 0; list && i < list->topLevelItemCount(); ++i)
                if (list->topLevelItem(i)->text(0).toStdString() == project)
                    ClickAt(list->viewport(), list->visualItemRect(list->topLevelItem(i)).center());
            ClickButton(dialog, "OK");
        });
        ASSERT_TRUE(m_windows->Trigger(m_explorer, "Create survey..."));
    }
    // A draft of the user's own, written and saved in Drafts.
    void SaveOwnDraft(const std::string& subject)
    {
        CComPtr<IDispatch> item;
        ASSERT_EQ(S_OK, m_application->CreateItem(olMailItem, &item));
        CComQIPtr<_MailItem> mail(item.p);
        ASSERT_TRUE(mail);
        ASSERT_EQ(S_OK, mail->put_Subject(CComBSTR(subject)));
        ASSERT_EQ(S_OK, mail->Save());
    }
    // The folder chosen in the explorer's folder tree and its first message
    // opened with a double-click, as a person opens a message.
    void OpenFirstMessageOf(const std::string& folder)
    {
        QMainWindow* explorer = ClientWindow(false);
        ASSERT_TRUE(explorer);
        auto* folders = explorer->findChild<QTreeWidget*>();
        ASSERT_TRUE(folders);
        const QList<QTreeWidgetItem*> found =
            folders->findItems(QString::fromStdString(folder), Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(1, found.size());
        folders->scrollToItem(found[0]);
        ClickAt(folders->viewport(), folders->visualItemRect(found[0]).center());
        auto* messages = explorer->findChild<QTableView*>();
        ASSERT_TRUE(messages);
        m_windows->ProcessEvents();
        ASSERT_GT(messages->model()->rowCount(), 0);
        DoubleClickRow(messages, 0);
        m_windows->ProcessEvents();
    }

    std::unique_ptr<pollenta::outlook::HostWindows> m_windows;
    CComPtr<_Explorer> m_explorer;
    MessageBoxHook m_previousHook;
    std::vector<std::string> m_boxes;
};

TEST_F(SurveyWindowsTest, PickingAProjectFromTheMenuOpensItsSurveyMessageAndSendSurveyRemovesIt)
{
    RegisterProjectLibrary();
    MakeProject("Gamma survey", true);
    const LONG beta = MakeProject("Beta survey", true);
    MakeProject("Alpha survey", true);
    MakeProject("Unfinished survey", false);
    OpenExplorerAndConnect();
    ASSERT_TRUE(m_windows->SaveWindowPicture(m_explorer, kPictures + "/survey-explorer.png"));
    ASSERT_TRUE(m_windows->SaveMenuPicture(m_explorer, "Pollenta", kPictures + "/survey-explorer-menu.png"));
    EXPECT_TRUE(IsPng(kPictures + "/survey-explorer-menu.png"));

    std::vector<std::string> rows;
    ModalDriver picker([&](QWidget* dialog) {
        rows = Rows(dialog);
        Select(dialog, "Beta survey");
        dialog->grab().save(QString::fromStdString(kPictures + "/survey-picker.png"), "PNG");
        ClickButton(dialog, "OK");
    });
    ASSERT_TRUE(m_windows->Trigger(m_explorer, "Create survey..."));
    EXPECT_EQ("Choose the survey project...", picker.Title());
    EXPECT_EQ((std::vector<std::string>{"Alpha survey", "Beta survey", "Gamma survey"}), rows);
    EXPECT_TRUE(IsPng(kPictures + "/survey-picker.png"));

    CComPtr<_Inspector> inspector = FirstInspector(m_application);
    ASSERT_TRUE(inspector) << (m_boxes.empty() ? "" : m_boxes.front());
    CComPtr<IDispatch> item;
    inspector->get_CurrentItem(&item);
    CComQIPtr<_MailItem> mail(item.p);
    CComBSTR html;
    mail->get_HTMLBody(&html);
    EXPECT_NE(std::string::npos, html.ToString().find("<H1>Beta survey</H1><IMG SRC=\"cid:"));
    EXPECT_EQ(std::string::npos, html.ToString().find("_kqwpic_001.gif"));
    EXPECT_NE(std::string::npos, html.ToString().find("VALUE=" + std::to_string(beta)));
    CComPtr<Attachments> attachments;
    LONG count = 0;
    mail->get_Attachments(&attachments);
    attachments->get_Count(&count);
    EXPECT_EQ(2, count);
    m_windows->ProcessEvents();
    ASSERT_TRUE(m_windows->SaveWindowPicture(inspector, kPictures + "/survey-inspector.png"));
    EXPECT_TRUE(IsPng(kPictures + "/survey-inspector.png"));
    ASSERT_EQ(1, DraftCount(m_application));

    StandInSenderRegistration sender(S_OK);
    mail.Release();
    item.Release();
    EXPECT_TRUE(m_windows->Trigger(inspector, "Send survey"));
    EXPECT_EQ(1, sender.Record().solvendaCalls);
    sender.Record().item.Release();
    EXPECT_EQ(0, DraftCount(m_application));
    EXPECT_FALSE(FirstInspector(m_application));
}

TEST_F(SurveyWindowsTest, TheMenusLogCommandOpensTheLogViewer)
{
    OpenExplorerAndConnect();
    ModalDriver viewer([&](QWidget* dialog) { dialog->close(); });
    ASSERT_TRUE(m_windows->Trigger(m_explorer, "View the logs..."));
    EXPECT_EQ("View / delete logs", viewer.Title());
}

TEST_F(SurveyWindowsTest, TheAboutBoxShowsTheVersionAndLinksWithoutTheirQuery)
{
    OpenExplorerAndConnect();
    ModalDriver about([&](QWidget* dialog) {
        dialog->grab().save(QString::fromStdString(kPictures + "/survey-about.png"), "PNG");
        ClickButton(dialog, "OK");
    });
    ASSERT_TRUE(m_windows->Trigger(m_explorer, "About Pollenta..."));
    EXPECT_EQ("About Pollenta...", about.Title());
    EXPECT_TRUE(IsPng(kPictures + "/survey-about.png"));

    CWEAbout box;
    ASSERT_TRUE(box.Create());
    char text[256] = {};
    GetDlgItemText(box, CWEAbout::IDC_VERSION, text, sizeof text);
    EXPECT_STREQ("1.4.0, released on November 10, 2006", text);
    GetDlgItemText(box, CWEAbout::IDC_SUPPORT, text, sizeof text);
    EXPECT_STREQ("http://www.velquin.com/pollenta/support.html", text);
    EXPECT_EQ("http://www.velquin.com/pollenta/support.html?from=addin", box.GetSupportLink().GetLinkTarget());
    EXPECT_EQ("http://www.velquin.com/pollenta/", box.GetHomePageLink().GetLinkTarget());
    ExpectReadable(box, "addin", "about-en");
    EXPECT_GT(CountDrawnPixels(box.GetDlgItem(CWEAbout::IDC_ICON)), 200) << "icon 207";
    // Outside the add-in's own activation context the frame and OK draw classic.
    const bool classic = !HasModuleActivationContext() && IsThemedWindowsVersion();
    EXPECT_EQ(classic, IsWindowClassic(box.GetDlgItem(CWEAbout::IDC_FRAME)) != FALSE);
    EXPECT_EQ(classic, IsWindowClassic(box.GetDlgItem(IDOK)) != FALSE);
    DestroyWindow(box);
}

TEST_F(SurveyWindowsTest, LinkTextsStopAtTheirLastQuestionMark)
{
    const struct {
        const char* address;
        const char* shown;
    } cases[] = {{"http://a/b?x=1", "http://a/b"},
                 {"http://a/b?x?y", "http://a/b?x"},
                 {"?only", "?only"},
                 {"http://a/", "http://a/"}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.address);
        EXPECT_EQ(test.shown, LinkShownText(test.address));
    }
}

TEST_F(SurveyWindowsTest, ThePickerKeepsItsPlacementAndIgnoresAWrongSizedOne)
{
    RegisterProjectLibrary();
    MakeProject("Alpha survey", true);
    {
        CWEProjPickerDlg picker(g_pAddin->m_Log);
        ASSERT_TRUE(picker.Create());
        ShowWindow(picker, SW_SHOW);
        EXPECT_FALSE(IsWindowEnabled(picker.GetDlgItem(IDOK)));
        EXPECT_FALSE(IsWindowEnabled(picker.GetDlgItem(CWEProjPickerDlg::IDC_DELETE)));
        EXPECT_FALSE(IsWindowVisible(picker.GetDlgItem(CWEProjPickerDlg::IDC_EMPTY)));
        ExpectReadable(picker, "addin", "picker-en");
        // Bitmap 209 beside the project.
        EXPECT_GT(CountColouredPixels(picker.GetDlgItem(CWEProjPickerDlg::IDC_PROJECTS)), 20);
        SetWindowPos(picker, nullptr, 40, 50, 500, 400, SWP_NOZORDER);
        picker.GetList().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        EXPECT_TRUE(IsWindowEnabled(picker.GetDlgItem(IDOK)));
        picker.OnCommand(IDOK, 0, nullptr);
    }
    const auto bytes = AddinTestFolder::Binary(CWEProjPickerDlg::kPlacementKey, "DialogPlacement");
    ASSERT_TRUE(bytes);
    ASSERT_EQ(16u, bytes->size());
    int32_t rect[4];
    std::memcpy(rect, bytes->data(), sizeof rect);
    EXPECT_EQ(500, rect[2] - rect[0]);
    EXPECT_EQ(400, rect[3] - rect[1]);

    CWEProjPickerDlg again(g_pAddin->m_Log);
    ASSERT_TRUE(again.Create());
    RECT placed{};
    GetWindowRect(again, &placed);
    EXPECT_EQ(500, placed.right - placed.left);
    DestroyWindow(again);

    AddinTestFolder::SetBinary(CWEProjPickerDlg::kPlacementKey, "DialogPlacement", std::vector<BYTE>(12, 0));
    CWEProjPickerDlg ignored(g_pAddin->m_Log);
    ASSERT_TRUE(ignored.Create());
    GetWindowRect(ignored, &placed);
    EXPECT_NE(500, placed.right - placed.left);
    DestroyWindow(ignored);
}

TEST_F(SurveyWindowsTest, WithoutTheProjectLibraryThePickerSaysSoAndOnlyCancelAndHelpWork)
{
    ASSERT_EQ(0, Regsvr("/u /s", "Gastrel.so"));
    ASSERT_EQ(S_OK, Connect(m_application));
    CWEProjPickerDlg picker(g_pAddin->m_Log);
    ASSERT_TRUE(picker.Create());
    ShowWindow(picker, SW_SHOW);
    EXPECT_EQ(0, picker.GetList().GetItemCount());
    EXPECT_TRUE(IsWindowVisible(picker.GetDlgItem(CWEProjPickerDlg::IDC_EMPTY)));
    for (int id : {IDOK, int(CWEProjPickerDlg::IDC_VIEW), int(CWEProjPickerDlg::IDC_DELETE)})
        EXPECT_FALSE(IsWindowEnabled(picker.GetDlgItem(id))) << id;
    EXPECT_TRUE(IsWindowEnabled(picker.GetDlgItem(IDCANCEL)));
    EXPECT_TRUE(SaveWindowPicture(picker, (kPictures + "/survey-picker-empty.png").c_str()));
    DestroyWindow(picker);
    const std::vector<std::string> texts = LogTexts();
    EXPECT_NE(texts.end(),
              std::find(texts.begin(), texts.end(), "Fatal error while creating object \"Gastrel.Hubberly\""));
}

TEST_F(SurveyWindowsTest, DeleteAsksAndRemovesTheProjectAndItsRow)
{
    RegisterProjectLibrary();
    MakeProject("Alpha survey", true);
    MakeProject("Beta survey", true);
    CWEProjPickerDlg picker(g_pAddin->m_Log);
    ASSERT_TRUE(picker.Create());
    picker.GetList().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    picker.OnCommand(CWEProjPickerDlg::IDC_DELETE, 0, nullptr);
    EXPECT_EQ((std::vector<std::string>{"Are you sure you want to delete the selected project?"}), m_boxes);
    ASSERT_EQ(1, picker.GetList().GetItemCount());
    EXPECT_EQ("Beta survey", picker.GetList().GetItemText(0, 0));
    CComVariant left;
    ASSERT_EQ(S_OK, Hubberly()->EnumProjects(1, &left));
    LONG upper = -1;
    SafeArrayGetUBound(left.parray, 1, &upper);
    EXPECT_EQ(0, upper);
    DestroyWindow(picker);
}

TEST_F(SurveyWindowsTest, AFailedCreateSurveyLeavesTheNextMessageTheUserOpensAsItWas)
{
    RegisterProjectLibrary();
    const LONG id = MakeProject("Lost page survey", true);
    CComBSTR folder;
    ASSERT_EQ(S_OK, Hubberly()->GetProjectDir(id, &folder));
    std::filesystem::remove(folder.ToString() + "/index.html");
    OpenExplorerAndConnect();
    CreateSurveyFromTheMenu("Lost page survey");
    ASSERT_EQ(1u, m_boxes.size()) << "the failure is shown";
    EXPECT_FALSE(FirstInspector(m_application));

    SaveOwnDraft("Lunch on Friday");
    OpenFirstMessageOf("Drafts");
    CComPtr<_Inspector> inspector = FirstInspector(m_application);
    ASSERT_TRUE(inspector);
    ASSERT_TRUE(m_windows->SaveWindowPicture(inspector, kPictures + "/survey-own-draft.png"));
    QMainWindow* window = ClientWindow(true);
    ASSERT_TRUE(window);
    EXPECT_FALSE(ClickToolButton(window, "Send survey")) << "an ordinary message gets no survey button";
    window->close();
    m_windows->ProcessEvents();
    EXPECT_FALSE(FirstInspector(m_application));
    EXPECT_EQ(1, DraftCount(m_application)) << "closing the user's own draft keeps it";
}

TEST_F(SurveyWindowsTest, TheClientsOwnSendOnASurveyIsRefusedWithAPointerToSendSurveyAndTheSurveyStaysOpen)
{
    RegisterProjectLibrary();
    MakeProject("Alpha survey", true);
    OpenExplorerAndConnect();
    CreateSurveyFromTheMenu("Alpha survey");
    CComPtr<_Inspector> inspector = FirstInspector(m_application);
    ASSERT_TRUE(inspector) << (m_boxes.empty() ? "" : m_boxes.front());
    // The toolbar as the window shows it once the add-in has added its button.
    ASSERT_TRUE(m_windows->SaveWindowPicture(inspector, kPictures + "/survey-inspector-toolbar.png"));
    QMainWindow* window = ClientWindow(true);
    ASSERT_TRUE(window);
    auto* to = window->findChild<QLineEdit*>("to");
    ASSERT_TRUE(to);
    to->setText("ann@example.org");
    to->setModified(true);

    ASSERT_TRUE(ClickToolButton(window, "Send"));
    m_windows->ProcessEvents();
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_NE(std::string::npos, m_boxes[0].find("\"Send survey\""));
    EXPECT_TRUE(FirstInspector(m_application)) << "the survey stays open";
    EXPECT_EQ(1, DraftCount(m_application));
    EXPECT_TRUE(!std::filesystem::exists(Outgoing()) || std::filesystem::is_empty(Outgoing()))
        << "nothing went out unpersonalised";

    // Closing it without sending still discards the survey draft.
    inspector.Release();
    window->close();
    m_windows->ProcessEvents();
    EXPECT_FALSE(FirstInspector(m_application));
    EXPECT_EQ(0, DraftCount(m_application));
}

TEST_F(SurveyWindowsTest, SendSurveyNamesTheAddressesThatWereNotRecognized)
{
    RegisterProjectLibrary();
    MakeProject("Alpha survey", true);
    OpenExplorerAndConnect();
    CreateSurveyFromTheMenu("Alpha survey");
    CComPtr<_Inspector> inspector = FirstInspector(m_application);
    ASSERT_TRUE(inspector);
    StandInSenderRegistration sender(TM_E_UNRESOLVED);
    sender.Record().description = "Unable to resolve one or more email adresses.\r\nZed Nobody\r\nann@example";
    ASSERT_TRUE(m_windows->SaveWindowPicture(inspector, kPictures + "/survey-unresolved.png"));
    QMainWindow* window = ClientWindow(true);
    ASSERT_TRUE(window);
    ASSERT_TRUE(ClickToolButton(window, "Send survey"));
    EXPECT_EQ(1, sender.Record().solvendaCalls);
    sender.Record().item.Release();
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ("One or more e-mail addresses were not recognized.\nZed Nobody\nann@example", m_boxes[0]);
    EXPECT_TRUE(FirstInspector(m_application)) << "the survey stays open to be corrected";
}

TEST_F(SurveyWindowsTest, ThePickerListsProjectsAsPeopleReadThemAndKeepsTheChoiceWhenTheEmptyAreaIsClicked)
{
    RegisterProjectLibrary();
    for (const char* name : {"Zulu survey", "apple survey", "Beta survey"})
        MakeProject(name, true);
    OpenExplorerAndConnect();
    std::vector<std::string> rows;
    bool keptRow = false, keptOk = false;
    ModalDriver picker([&](QWidget* dialog) {
        rows = Rows(dialog);
        auto* list = dialog->findChild<QTreeWidget*>();
        ClickAt(list->viewport(), list->visualItemRect(list->topLevelItem(1)).center());
        const QRect last = list->visualItemRect(list->topLevelItem(list->topLevelItemCount() - 1));
        ClickAt(list->viewport(), QPoint(last.center().x(), last.bottom() + 30));
        keptRow = list->topLevelItem(1)->isSelected();
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->text() == "OK")
                keptOk = button->isEnabled();
        ClickButton(dialog, "Cancel");
    });
    ASSERT_TRUE(m_windows->Trigger(m_explorer, "Create survey..."));
    EXPECT_EQ((std::vector<std::string>{"apple survey", "Beta survey", "Zulu survey"}), rows);
    EXPECT_TRUE(keptRow);
    EXPECT_TRUE(keptOk);
}

TEST_F(SurveyWindowsTest, AfterDeleteNoProjectIsSelectedAndOnlyCancelAndHelpWork)
{
    RegisterProjectLibrary();
    for (const char* name : {"Alpha survey", "Beta survey", "Gamma survey"})
        MakeProject(name, true);
    OpenExplorerAndConnect();
    std::vector<std::string> rows;
    std::vector<std::string> selected, enabled;
    ModalDriver picker([&](QWidget* dialog) {
        auto* list = dialog->findChild<QTreeWidget*>();
        ClickAt(list->viewport(), list->visualItemRect(list->topLevelItem(1)).center());
        ClickButton(dialog, "Delete");
        rows = Rows(dialog);
        for (QTreeWidgetItem* item : list->selectedItems())
            selected.push_back(item->text(0).toStdString());
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            if (button->isEnabled())
                enabled.push_back(button->text().toStdString());
        ClickButton(dialog, "Cancel");
    });
    ASSERT_TRUE(m_windows->Trigger(m_explorer, "Create survey..."));
    EXPECT_EQ((std::vector<std::string>{"Are you sure you want to delete the selected project?"}), m_boxes);
    EXPECT_EQ((std::vector<std::string>{"Alpha survey", "Gamma survey"}), rows);
    EXPECT_TRUE(selected.empty());
    EXPECT_EQ((std::vector<std::string>{"Cancel", "Help"}), enabled);
}
