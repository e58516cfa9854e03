// The client's windows offscreen: the explorer and an inspector drawn from
// the object model (pictures written into the build folder), their menus
// and toolbars clicking the object model's controls, and the Options dialog
// with the add-ins' pages.

#include "WindowsTestSupport.h"

#include "OutlookPropertyPages.h"

#include <QLineEdit>

using WindowPicturesTest = CWindowsTest;

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
