// Command bars of the client's windows: built-in controls by id, controls
// that add-ins add, move and delete, and clicks.

#include "OutlookTestSupport.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "com/SafeArray.h"
#include "ui/Clipboard.h"

namespace {

CComPtr<CommandBarControls> ControlsOf(CommandBarControl* control)
{
    CComQIPtr<CommandBarPopup> popup(control);
    CComPtr<CommandBarControls> controls;
    if (popup)
        popup->get_Controls(&controls);
    return controls;
}

std::string CaptionAt(CommandBarControls* controls, LONG index)
{
    CComPtr<CommandBarControl> control;
    if (FAILED(controls->get_Item(CComVariant(index), &control)))
        return "";
    CComBSTR caption;
    control->get_Caption(&caption);
    return caption.ToString();
}

}  // namespace

class CommandBarsTest : public COutlookTest {
public:
    void SetUp() override
    {
        COutlookTest::SetUp();
        ASSERT_EQ(S_OK, m_host->OpenExplorer(&m_explorer));
        ASSERT_EQ(S_OK, m_explorer->get_CommandBars(&m_bars));
        ASSERT_EQ(S_OK, m_bars->get_ActiveMenuBar(&m_menuBar));
    }
    void TearDown() override
    {
        m_menuBar.Release();
        m_bars.Release();
        m_explorer.Release();
        COutlookTest::TearDown();
    }

    CComPtr<CommandBarControl> Find(LONG type, LONG id)
    {
        CComVariant leftOut, recursive(true);
        CComPtr<CommandBarControl> control;
        EXPECT_EQ(S_OK,
                  m_menuBar->FindControl(CComVariant(type), CComVariant(id), leftOut, leftOut, recursive, &control));
        return control;
    }

    CComPtr<_Explorer> m_explorer;
    CComPtr<_CommandBars> m_bars;
    CComPtr<CommandBar> m_menuBar;
};

TEST_F(CommandBarsTest, TheMenuBarHasTheClientsBuiltInMenusAndItems)
{
    struct Case {
        LONG type;
        LONG id;
    } cases[] = {{msoControlPopup, 30002}, {msoControlPopup, 30007}, {msoControlButton, 3037}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        CComPtr<CommandBarControl> found = Find(c.type, c.id);
        ASSERT_TRUE(found);
        LONG id = 0;
        found->get_Id(&id);
        EXPECT_EQ(c.id, id);
    }
    CComVariant leftOut, shallow(false);
    CComPtr<CommandBarControl> notAtTop;
    EXPECT_EQ(S_OK, m_menuBar->FindControl(CComVariant(msoControlButton), CComVariant(3037), leftOut, leftOut, shallow,
                                           &notAtTop));
    EXPECT_FALSE(notAtTop);
    CComPtr<CommandBar> standard;
    EXPECT_EQ(S_OK, m_bars->get_Item(CComVariant("Standard"), &standard));
}

TEST_F(CommandBarsTest, AddedControlsGoBeforeTheGivenIndexOrAtTheEnd)
{
    CComPtr<CommandBarControls> tools = ControlsOf(Find(msoControlPopup, 30007));
    ASSERT_TRUE(tools);
    CComVariant button(msoControlButton), popup(msoControlPopup), leftOut, temporary(true);
    CComPtr<CommandBarControl> last, first, survey;
    ASSERT_EQ(S_OK, tools->Add(button, leftOut, leftOut, leftOut, temporary, &last));
    last->put_Caption(CComBSTR("Last"));
    ASSERT_EQ(S_OK, tools->Add(button, leftOut, leftOut, CComVariant(1), temporary, &first));
    first->put_Caption(CComBSTR("First"));
    ASSERT_EQ(S_OK, tools->Add(popup, leftOut, leftOut, CComVariant(3), temporary, &survey));
    survey->put_Caption(CComBSTR("Pollenta"));
    LONG count = 0, index = 0;
    tools->get_Count(&count);
    EXPECT_EQ(5, count);
    EXPECT_EQ("First", CaptionAt(tools, 1));
    EXPECT_EQ("Pollenta", CaptionAt(tools, 3));
    EXPECT_EQ("Last", CaptionAt(tools, 5));
    last->get_Index(&index);
    EXPECT_EQ(5, index);
    EXPECT_TRUE(CComQIPtr<CommandBarPopup>(survey.p));
    EXPECT_FALSE(CComQIPtr<_CommandBarButton>(survey.p));

    CComPtr<CommandBarControl> moved;
    ASSERT_EQ(S_OK, survey->Move(leftOut, CComVariant(1), &moved));
    EXPECT_EQ("Pollenta", CaptionAt(tools, 1));
    ASSERT_EQ(S_OK, first->Delete(leftOut));
    tools->get_Count(&count);
    EXPECT_EQ(4, count);
    EXPECT_EQ(E_FAIL, first->get_Index(&index));
}

TEST_F(CommandBarsTest, MoveIntoAnotherPopupPutsTheControlThere)
{
    CComPtr<CommandBarControl> file = Find(msoControlPopup, 30002);
    CComPtr<CommandBarControl> exportItem = Find(msoControlButton, 3037);
    LONG index = 0;
    ASSERT_EQ(S_OK, exportItem->get_Index(&index));
    CComPtr<CommandBarControls> tools = ControlsOf(Find(msoControlPopup, 30007));
    CComVariant leftOut, temporary(true);
    CComPtr<CommandBarControl> popup;
    tools->Add(CComVariant(msoControlPopup), leftOut, leftOut, leftOut, temporary, &popup);
    popup->put_Caption(CComBSTR("Pollenta"));
    CComVariant target(static_cast<IDispatch*>(file.p));
    CComPtr<CommandBarControl> moved;
    ASSERT_EQ(S_OK, popup->Move(target, CComVariant(index + 1), &moved));
    EXPECT_EQ("Pollenta", CaptionAt(ControlsOf(file), index + 1));
    LONG toolsCount = 0;
    tools->get_Count(&toolsCount);
    EXPECT_EQ(2, toolsCount);
}

TEST_F(CommandBarsTest, AClickByTagOrCaptionReachesTheButtonsSinksWithTheButton)
{
    CComPtr<CommandBarControls> tools = ControlsOf(Find(msoControlPopup, 30007));
    CComVariant leftOut, temporary(true);
    CComPtr<CommandBarControl> control;
    tools->Add(CComVariant(msoControlButton), leftOut, leftOut, leftOut, temporary, &control);
    control->put_Caption(CComBSTR("&New survey..."));
    control->put_Tag(CComBSTR("Pollenta.NewSurvey"));
    CComPtr<IUnknown> clicked;
    Listen(control, IID__CommandBarButtonEvents, "click", [&](DISPID, pollenta::com::DispatchCall& call) {
        CComVariant sender;
        call.Arg(0, VT_DISPATCH, &sender);
        clicked = sender.pdispVal;
        return S_OK;
    });
    EXPECT_EQ(S_OK, pollenta::outlook::ClickControl(m_bars, "Pollenta.NewSurvey"));
    EXPECT_EQ(S_OK, pollenta::outlook::ClickControl(m_bars, "New survey..."));
    EXPECT_EQ(S_FALSE, pollenta::outlook::ClickControl(m_bars, "No such control"));
    EXPECT_EQ((std::vector<std::string>{"click:1", "click:1"}), m_heard);
    EXPECT_TRUE(CComPtr<IUnknown>(control.p).IsEqualObject(clicked));

    control->put_Enabled(VARIANT_FALSE);
    EXPECT_EQ(S_FALSE, control->Execute());
    EXPECT_EQ(2u, m_heard.size());
}

TEST_F(CommandBarsTest, PasteFaceTakesTheClipboardsPictureAndFailsWithoutOne)
{
    CComPtr<CommandBarControls> tools = ControlsOf(Find(msoControlPopup, 30007));
    CComVariant leftOut;
    CComPtr<CommandBarControl> control;
    ASSERT_EQ(S_OK, tools->Add(CComVariant(msoControlButton), leftOut, leftOut, leftOut, leftOut, &control));
    CComQIPtr<_CommandBarButton> button(control.p);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(E_FAIL, button->PasteFace());

    const std::vector<BYTE> picture = {'B', 'M', 1, 2, 3};
    ASSERT_TRUE(OpenClipboard(nullptr));
    SetClipboardBytes(CF_BITMAP, picture);
    CloseClipboard();
    SetClipboardHeldElsewhere(true);
    EXPECT_EQ(E_FAIL, button->PasteFace());
    SetClipboardHeldElsewhere(false);
    ASSERT_EQ(S_OK, button->PasteFace());
    CComVariant face;
    ASSERT_EQ(S_OK, button->get_FacePicture(&face));
    ASSERT_EQ(VT_ARRAY | VT_UI1, face.vt);
    LONG upper = -1;
    SafeArrayGetUBound(face.parray, 1, &upper);
    EXPECT_EQ(4, upper);
}
