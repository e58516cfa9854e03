// The windows' menus and toolbars follow their command bars: a control an
// add-in adds, moves, hides or deletes shows so at once, whenever it does
// so, with nothing asked of the window.

#include "WindowsTestSupport.h"

#include <QAbstractButton>
#include <QMenuBar>

namespace {

std::string WithoutMarks(QString text)
{
    return text.remove('&').toStdString();
}

std::vector<std::string> Captions(const QList<QAction*>& actions)
{
    std::vector<std::string> captions;
    for (QAction* action : actions)
        if (action->isVisible() && !action->isSeparator())
            captions.push_back(WithoutMarks(action->menu() ? action->menu()->title() : action->text()));
    return captions;
}

CComPtr<CommandBarControls> StandardControls(_Inspector* inspector)
{
    CComPtr<_CommandBars> bars;
    CComPtr<CommandBar> standard;
    CComPtr<CommandBarControls> controls;
    if (SUCCEEDED(inspector->get_CommandBars(&bars)) && SUCCEEDED(bars->get_Item(CComVariant("Standard"), &standard)))
        standard->get_Controls(&controls);
    return controls;
}

}  // namespace

using CommandBarsShownTest = CWindowsTest;

TEST_F(CommandBarsShownTest, AButtonAddedWhenTheItemOpensIsOnTheInspectorsToolbarAndClicksAsItShould)
{
    CComPtr<_MailItem> mail = FirstInboxItem();
    ASSERT_TRUE(mail);
    CComPtr<CommandBarControl> button;
    CComVariant leftOut;
    // What the add-in does: its window is there already, its toolbar filled.
    Listen(mail, IID_ItemEvents, "item", [&](DISPID id, pollenta::com::DispatchCall&) {
        if (id != DISPID_ItemEvents_Open)
            return S_OK;
        CComPtr<_Inspector> inspector;
        mail->get_GetInspector(&inspector);
        CComPtr<CommandBarControls> controls = StandardControls(inspector);
        if (!controls ||
            FAILED(controls->Add(CComVariant(msoControlButton), leftOut, leftOut, leftOut, CComVariant(true), &button)))
            return E_FAIL;
        button->put_Caption(CComBSTR("Send survey"));
        return button->put_Tag(CComBSTR("WESendSurvey"));
    });
    ASSERT_EQ(S_OK, mail->Display(CComVariant()));
    m_windows->ProcessEvents();
    ASSERT_TRUE(button);
    Listen(button, IID__CommandBarButtonEvents, "click");
    // The inspector's window is the one with a toolbar.
    QMainWindow* window = WindowWith<QToolBar>();
    ASSERT_TRUE(window);
    auto* toolBar = window->findChild<QToolBar*>();
    ASSERT_EQ((std::vector<std::string>{"Send", "Insert File...", "Send survey"}), Captions(toolBar->actions()));

    auto* shown = qobject_cast<QAbstractButton*>(toolBar->widgetForAction(toolBar->actions().back()));
    ASSERT_TRUE(shown);
    shown->click();
    EXPECT_EQ((std::vector<std::string>{"item:" + std::to_string(DISPID_ItemEvents_Open), "click:1"}), m_heard);
    CComPtr<_Inspector> inspector;
    ASSERT_EQ(S_OK, mail->get_GetInspector(&inspector));
    const std::string picture = kPictures + "/mailhost-inspector-send-survey.png";
    ASSERT_TRUE(m_windows->SaveWindowPicture(inspector, picture));
    EXPECT_TRUE(IsPng(picture));

    ASSERT_EQ(S_OK, button->Move(leftOut, CComVariant(1), nullptr));
    m_windows->ProcessEvents();
    EXPECT_EQ((std::vector<std::string>{"Send survey", "Send", "Insert File..."}), Captions(toolBar->actions()));
    button->put_Caption(CComBSTR("Send survey now"));
    m_windows->ProcessEvents();
    EXPECT_EQ("Send survey now", Captions(toolBar->actions()).front());
    button->put_Visible(VARIANT_FALSE);
    m_windows->ProcessEvents();
    EXPECT_EQ((std::vector<std::string>{"Send", "Insert File..."}), Captions(toolBar->actions()));
    button->put_Visible(VARIANT_TRUE);
    ASSERT_EQ(S_OK, button->Delete(leftOut));
    m_windows->ProcessEvents();
    EXPECT_EQ((std::vector<std::string>{"Send", "Insert File..."}), Captions(toolBar->actions()));
}

TEST_F(CommandBarsShownTest, AMenuAddedToTheMenuBarAndAnEntryInItShowWithoutTheMenuBeingOpened)
{
    CComPtr<_CommandBars> bars;
    CComPtr<CommandBar> menuBar;
    ASSERT_EQ(S_OK, m_explorer->get_CommandBars(&bars));
    ASSERT_EQ(S_OK, bars->get_ActiveMenuBar(&menuBar));
    CComPtr<CommandBarControls> top;
    menuBar->get_Controls(&top);
    CComVariant leftOut;
    CComPtr<CommandBarControl> popup;
    ASSERT_EQ(S_OK, top->Add(CComVariant(msoControlPopup), leftOut, leftOut, CComVariant(6), leftOut, &popup));
    popup->put_Caption(CComBSTR("&Pollenta"));
    CComPtr<CommandBarControls> entries;
    CComQIPtr<CommandBarPopup>(popup.p)->get_Controls(&entries);
    CComPtr<CommandBarControl> entry;
    ASSERT_EQ(S_OK, entries->Add(CComVariant(msoControlButton), leftOut, leftOut, leftOut, leftOut, &entry));
    m_windows->ProcessEvents();

    QMainWindow* window = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<QMainWindow*>(widget); main && main->isVisible())
            window = main;
    ASSERT_TRUE(window);
    EXPECT_EQ((std::vector<std::string>{"File", "Edit", "View", "Tools", "Actions", "Pollenta", "Help"}),
              Captions(window->menuBar()->actions()));
    QMenu* menu = window->menuBar()->actions()[5]->menu();
    ASSERT_TRUE(menu);
    // A caption set after the entry went in is the one shown.
    entry->put_Caption(CComBSTR("Create &survey..."));
    m_windows->ProcessEvents();
    menu = window->menuBar()->actions()[5]->menu();
    ASSERT_TRUE(menu);
    EXPECT_EQ((std::vector<std::string>{"Create survey..."}), Captions(menu->actions()));
}
