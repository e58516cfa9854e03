// The add-in's popup in the explorers' Tools menus of the stand-in client.

#include "ConnectTestSupport.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"

class ExplorerMenuTest : public CConnectTest {
public:
    // The captions of the add-in's popup in the explorer's Tools menu; empty
    // when it has none.
    static std::vector<std::string> PopupCaptions(_Explorer* explorer)
    {
        std::vector<std::string> captions;
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
            return captions;
        CComPtr<CommandBarControls> controls;
        LONG count = 0;
        CComQIPtr<CommandBarPopup>(popup.p)->get_Controls(&controls);
        controls->get_Count(&count);
        for (LONG i = 1; i <= count; ++i) {
            CComPtr<CommandBarControl> control;
            CComBSTR caption;
            controls->get_Item(CComVariant(i), &control);
            control->get_Caption(&caption);
            captions.push_back(caption.ToString());
        }
        return captions;
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
