// The add-in's popup in the explorers' Tools menus of the stand-in client.

#include "ConnectTestSupport.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"
#include "com/SafeArray.h"
#include "ui/Clipboard.h"

class ExplorerMenuTest : public CConnectTest {
public:
    // The captions of the add-in's popup in the explorer's Tools menu; empty
    // when it has none.
    static std::vector<std::string> PopupCaptions(_Explorer* explorer)
    {
        std::vector<std::string> captions;
        for (const auto& [caption, face] : PopupButtons(explorer))
            captions.push_back(caption);
        return captions;
    }
    // Caption and face size (bytes of its .bmp file, 0 for none) of every
    // button of the add-in's popup.
    static std::vector<std::pair<std::string, LONG>> PopupButtons(_Explorer* explorer)
    {
        std::vector<std::pair<std::string, LONG>> buttons;
        CComPtr<_CommandBars> bars;
        CComPtr<CommandBar> menuBar;
        explorer->get_CommandBars(&bars);
        bars->get_ActiveMenuBar(&menuBar);
        CComVariant leftOut;
        CComPtr<CommandBarControl> tools;
        menuBar->FindControl(CComVariant(static_cast<LONG>(msoControlPopup)), CComVariant(30007), leftOut, leftOut,
                             CComVariant(true), &tools);
        CComPtr<CommandBarControls> toolsControls;
        CComQIPtr<CommandBarPopup>(tools.p)->get_Controls(&toolsControls);
        CComPtr<CommandBarControl> popup;
        if (FAILED(toolsControls->get_Item(CComVariant("Pollenta"), &popup)) || !popup)
            return buttons;
        CComPtr<CommandBarControls> controls;
        LONG count = 0;
        CComQIPtr<CommandBarPopup>(popup.p)->get_Controls(&controls);
        controls->get_Count(&count);
        for (LONG i = 1; i <= count; ++i) {
            CComPtr<CommandBarControl> control;
            CComBSTR caption;
            controls->get_Item(CComVariant(i), &control);
            control->get_Caption(&caption);
            CComVariant face;
            LONG upper = -1;
            CComQIPtr<_CommandBarButton>(control.p)->get_FacePicture(&face);
            if (face.vt == (VT_ARRAY | VT_UI1))
                SafeArrayGetUBound(face.parray, 1, &upper);
            buttons.emplace_back(caption.ToString(), upper + 1);
        }
        return buttons;
    }
    static std::string ClipboardText()
    {
        std::vector<BYTE> bytes;
        if (!OpenClipboard(nullptr))
            return "(not opened)";
        const BOOL found = GetClipboardBytes(CF_TEXT, bytes);
        CloseClipboard();
        return found ? std::string(bytes.begin(), bytes.end()) : "(none)";
    }
    static void PutClipboardText(const std::string& text)
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        if (!text.empty())
            SetClipboardBytes(CF_TEXT, std::vector<BYTE>(text.begin(), text.end()));
        CloseClipboard();
    }
};

inline const std::vector<std::string> kMenu = {"Create survey...", "View the logs...", "Help", "Internet Homepage",
                                               "About Pollenta..."};

TEST_F(ExplorerMenuTest, ExplorersOpenAtStartUpAndLaterOnesGetThePopupUnloadingRemovesIt)
{
    CComPtr<_Explorer> first, second;
    ASSERT_EQ(S_OK, m_host->OpenExplorer(&first));
    ASSERT_EQ(S_OK, Connect(m_application));
    EXPECT_EQ(kMenu, PopupCaptions(first));

    ASSERT_EQ(S_OK, m_host->OpenExplorer(&second));
    EXPECT_TRUE(PopupCaptions(second).empty());
    second->Activate();
    second->Activate();
    EXPECT_EQ(kMenu, PopupCaptions(second));

    SAFEARRAY* custom = nullptr;
    ASSERT_EQ(S_OK, m_addIn->OnDisconnection(ext_dm_UserClosed, &custom));
    EXPECT_TRUE(PopupCaptions(first).empty());
    EXPECT_TRUE(PopupCaptions(second).empty());
    m_host->CloseWindows();
}

TEST_F(ExplorerMenuTest, ClosingTheClientLeavesTheMenusToIt)
{
    CComPtr<_Explorer> explorer;
    ASSERT_EQ(S_OK, m_host->OpenExplorer(&explorer));
    ASSERT_EQ(S_OK, Connect(m_application));
    EXPECT_EQ(S_OK, Disconnect());
    EXPECT_EQ(kMenu, PopupCaptions(explorer));
    m_host->CloseWindows();
}

TEST_F(ExplorerMenuTest, TheButtonsGetTheirFacesAndTheUsersClipboardTextSurvives)
{
    PutClipboardText("the user's text");
    CComPtr<_Explorer> explorer;
    ASSERT_EQ(S_OK, m_host->OpenExplorer(&explorer));
    ASSERT_EQ(S_OK, Connect(m_application));
    const auto buttons = PopupButtons(explorer);
    ASSERT_EQ(5u, buttons.size());
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(buttons[i].first);
        EXPECT_EQ(54 + 16 * 16 * 3, buttons[i].second);
    }
    EXPECT_EQ(0, buttons[4].second);
    EXPECT_EQ("the user's text", ClipboardText());
    Disconnect();
    m_host->CloseWindows();
}

TEST_F(ExplorerMenuTest, AClipboardHeldElsewhereLeavesTheButtonsWithoutFacesAndTheClipboardAsItWas)
{
    PutClipboardText("kept");
    SetClipboardHeldElsewhere(true);
    CComPtr<_Explorer> explorer;
    ASSERT_EQ(S_OK, m_host->OpenExplorer(&explorer));
    ASSERT_EQ(S_OK, Connect(m_application));
    SetClipboardHeldElsewhere(false);
    for (const auto& [caption, face] : PopupButtons(explorer)) {
        SCOPED_TRACE(caption);
        EXPECT_EQ(0, face);
    }
    EXPECT_EQ("kept", ClipboardText());
    const std::vector<std::string> texts = LogTexts();
    EXPECT_EQ(4, std::count(texts.begin(), texts.end(), "Debug Message: Clipboard not available: button face skipped"));
    Disconnect();
    m_host->CloseWindows();
}

TEST_F(ExplorerMenuTest, AnEmptyClipboardHoldsTheLastFaceAfterwards)
{
    PutClipboardText("");
    CComPtr<_Explorer> explorer;
    ASSERT_EQ(S_OK, m_host->OpenExplorer(&explorer));
    ASSERT_EQ(S_OK, Connect(m_application));
    std::vector<BYTE> bitmap;
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(GetClipboardBytes(CF_BITMAP, bitmap));
    CloseClipboard();
    EXPECT_EQ(54u + 16 * 16 * 3, bitmap.size());
    Disconnect();
    m_host->CloseWindows();
}
