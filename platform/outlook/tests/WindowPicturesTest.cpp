// The client's windows offscreen: the explorer and an inspector drawn from
// the object model (pictures written into the build folder), their menus
// and toolbars clicking the object model's controls, and the Options dialog
// with the add-ins' pages.

#include "OutlookTestSupport.h"

#include "outlookwindows/HostWindows.h"

#include "OutlookPropertyPages.h"
#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "mapi/MapiAdmin.h"

#include <QApplication>
#include <QLineEdit>

#include <cstdlib>
#include <fstream>

namespace {

const std::string kPictures = POLLENTA_TEST_DIR;

}  // namespace

class WindowPicturesTest : public COutlookTest {
public:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        COutlookTest::SetUp();
        const std::string mime =
            "From: Bob Example <bob@example.org>\r\nTo: ann@example.org\r\nSubject: Customer survey\r\n"
            "MIME-Version: 1.0\r\nContent-Type: text/html; charset=utf-8\r\n\r\n"
            "<HTML><BODY><H1>Customer survey</H1><FORM><INPUT NAME=\"Q1\"> How did we do?</FORM></BODY></HTML>\r\n";
        ASSERT_EQ(S_OK,
                  pollenta::mapi::DeliverMime(m_store, nullptr, std::vector<BYTE>(mime.begin(), mime.end()), nullptr));
        m_windows = std::make_unique<pollenta::outlook::HostWindows>(*m_host);
        ASSERT_EQ(S_OK, m_host->OpenExplorer(&m_explorer));
        m_windows->ProcessEvents();
    }
    void TearDown() override
    {
        m_explorer.Release();
        m_host->CloseWindows();
        m_windows.reset();
        COutlookTest::TearDown();
    }

    CComPtr<_MailItem> FirstInboxItem()
    {
        CComPtr<MAPIFolder> inbox;
        CComPtr<_Items> items;
        CComPtr<IDispatch> item;
        CComPtr<_NameSpace> nameSpace;
        m_application->GetNamespace(CComBSTR("MAPI"), &nameSpace);
        EXPECT_EQ(S_OK, nameSpace->GetDefaultFolder(olFolderInbox, &inbox));
        inbox->get_Items(&items);
        EXPECT_EQ(S_OK, items->Item(CComVariant(1), &item));
        return CComQIPtr<_MailItem>(item.p);
    }

    // A new mail item with a subject and one recipient, shown in an
    // inspector window.
    CComPtr<_Inspector> NewMailShown(const char* subject, const char* recipient, CComQIPtr<_MailItem>& mail)
    {
        CComPtr<IDispatch> item;
        EXPECT_EQ(S_OK, m_application->CreateItem(olMailItem, &item));
        mail = item.p;
        mail->put_Subject(CComBSTR(subject));
        CComPtr<Recipients> recipients;
        mail->get_Recipients(&recipients);
        recipients->Add(CComBSTR(recipient), nullptr);
        CComPtr<_Inspector> inspector;
        EXPECT_EQ(S_OK, mail->get_GetInspector(&inspector));
        m_windows->ProcessEvents();
        return inspector;
    }

    std::unique_ptr<pollenta::outlook::HostWindows> m_windows;
    CComPtr<_Explorer> m_explorer;
};

TEST_F(WindowPicturesTest, TheExplorerAndAnInspectorAreDrawnIntoPictures)
{
    const std::string explorerPicture = kPictures + "/mailhost-explorer.png";
    ASSERT_TRUE(m_windows->SaveWindowPicture(m_explorer, explorerPicture));
    EXPECT_TRUE(IsPng(explorerPicture));

    CComPtr<_MailItem> mail = FirstInboxItem();
    ASSERT_TRUE(mail);
    ASSERT_EQ(S_OK, mail->Display(CComVariant()));
    m_windows->ProcessEvents();
    CComPtr<_Inspector> inspector;
    ASSERT_EQ(S_OK, mail->get_GetInspector(&inspector));
    const std::string inspectorPicture = kPictures + "/mailhost-inspector.png";
    ASSERT_TRUE(m_windows->SaveWindowPicture(inspector, inspectorPicture));
    EXPECT_TRUE(IsPng(inspectorPicture));
}

TEST_F(WindowPicturesTest, AMenuEntryAnAddInAddedClicksItsButton)
{
    CComPtr<_CommandBars> bars;
    CComPtr<CommandBar> menuBar;
    m_explorer->get_CommandBars(&bars);
    bars->get_ActiveMenuBar(&menuBar);
    CComVariant leftOut, recursive(true);
    CComPtr<CommandBarControl> tools;
    ASSERT_EQ(S_OK, menuBar->FindControl(CComVariant(msoControlPopup), CComVariant(30007), leftOut, leftOut, recursive,
                                         &tools));
    CComPtr<CommandBarControls> controls;
    CComQIPtr<CommandBarPopup>(tools.p)->get_Controls(&controls);
    CComPtr<CommandBarControl> button;
    ASSERT_EQ(S_OK, controls->Add(CComVariant(msoControlButton), leftOut, leftOut, leftOut, leftOut, &button));
    button->put_Caption(CComBSTR("Pollenta &Help"));
    Listen(button, IID__CommandBarButtonEvents, "click");

    EXPECT_TRUE(m_windows->Trigger(m_explorer, "Pollenta Help"));
    EXPECT_EQ((std::vector<std::string>{"click:1"}), m_heard);
    EXPECT_FALSE(m_windows->Trigger(m_explorer, "No such entry"));
}

TEST_F(WindowPicturesTest, OptionsShowsTheClientsPageAndThePagesAddInsAdd)
{
    Listen(m_application, IID_ApplicationEvents, "application", [](DISPID, pollenta::com::DispatchCall& call) {
        CComVariant pages;
        call.Arg(0, VT_DISPATCH, &pages);
        CComQIPtr<PropertyPages> added(pages.pdispVal);
        return added->Add(CComVariant("Kestrin.WESettingsPage"), CComBSTR("Pollenta"));
    });
    EXPECT_TRUE(m_windows->Trigger(m_explorer, "Options..."));
    EXPECT_EQ((std::vector<std::string>{"application:61445"}), m_heard);
    EXPECT_EQ((std::vector<std::string>{"Preferences", "Pollenta"}), m_windows->ShowOptions());
}

TEST_F(WindowPicturesTest, SendInTheInspectorSendsTheItemAndClosesItsWindow)
{
    CComQIPtr<_MailItem> mail;
    CComPtr<_Inspector> inspector = NewMailShown("Survey", "carol@example.org", mail);
    ASSERT_TRUE(inspector);
    ASSERT_TRUE(m_windows->Trigger(inspector, "Send"));
    CComPtr<_Inspectors> inspectors;
    m_application->get_Inspectors(&inspectors);
    LONG count = -1;
    inspectors->get_Count(&count);
    EXPECT_EQ(0, count);
    m_windows->ProcessEvents();
    EXPECT_FALSE(m_windows->SaveWindowPicture(inspector, kPictures + "/gone.png"));
}

TEST_F(WindowPicturesTest, ClosedWindowsLetGoOfTheClientsObjectsWhenTheWindowsGo)
{
    CComPtr<_MailItem> mail = FirstInboxItem();
    ASSERT_TRUE(mail);
    ASSERT_EQ(S_OK, mail->Display(CComVariant()));
    CComPtr<_Inspector> inspector;
    ASSERT_EQ(S_OK, mail->get_GetInspector(&inspector));
    m_windows->ProcessEvents();
    // Closed windows wait for the event loop to be deleted; a process that
    // goes on without one must not keep their objects (and with them the
    // MAPI session and its spooler) once the windows object is gone.
    m_host->CloseWindows();
    m_windows.reset();
    for (IUnknown* object : {static_cast<IUnknown*>(m_explorer.p), static_cast<IUnknown*>(inspector.p)}) {
        object->AddRef();
        EXPECT_EQ(1u, object->Release()) << (object == m_explorer.p ? "explorer" : "inspector");
    }
}

TEST_F(WindowPicturesTest, WhatIsTypedIntoToAndSubjectReachesTheItemBeforeACommandRuns)
{
    CComQIPtr<_MailItem> mail;
    CComPtr<_Inspector> inspector = NewMailShown("Set by an add-in", "old@example.org", mail);
    ASSERT_TRUE(inspector);
    QLineEdit* to = nullptr;
    QLineEdit* subject = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* found = window->findChild<QLineEdit*>("to")) {
            to = found;
            subject = window->findChild<QLineEdit*>("subject");
        }
    ASSERT_TRUE(to && subject);

    // Untouched edits leave what the object model set alone.
    ASSERT_TRUE(m_windows->Trigger(inspector, "Save"));
    CComBSTR text;
    mail->get_Subject(&text);
    EXPECT_EQ("Set by an add-in", text.ToString());

    to->selectAll();
    to->insert("\"Smith, Ann\" <ann@example.org>; bob@example.org,carol@example.org");
    subject->selectAll();
    subject->insert("Typed");
    ASSERT_TRUE(m_windows->Trigger(inspector, "Save"));
    text.Empty();
    mail->get_Subject(&text);
    EXPECT_EQ("Typed", text.ToString());
    CComPtr<Recipients> recipients;
    mail->get_Recipients(&recipients);
    LONG count = 0;
    ASSERT_EQ(S_OK, recipients->get_Count(&count));
    std::vector<std::string> names;
    for (LONG i = 1; i <= count; ++i) {
        CComPtr<Recipient> recipient;
        CComBSTR name;
        ASSERT_EQ(S_OK, recipients->Item(CComVariant(i), &recipient));
        recipient->get_Name(&name);
        names.push_back(name.ToString());
    }
    EXPECT_EQ((std::vector<std::string>{"Smith, Ann", "bob@example.org", "carol@example.org"}), names);
}
