#include "WizardUiTest.h"
#include "wizardui/WEProjPropPage.h"
#include "wizardui/WEWizardIds.h"

namespace {

constexpr UINT IDD_SOURCE = 103;
constexpr UINT IDD_IDENTITY = 110;

class CValidatingPage : public CWEProjPropPage {
public:
    using CWEProjPropPage::CWEProjPropPage;
    BOOL OnSetActive() override
    {
        SetWizardButtons(m_valid);
        return TRUE;
    }
    bool m_valid = false;
};

struct TwoPages {
    TwoPages()
    {
        for (UINT id : {IDD_SOURCE, IDD_IDENTITY}) {
            DialogTemplate page;
            page.style = WS_CHILD;
            page.cx = 317;
            page.cy = 143;
            RegisterDialogTemplate(AfxGetResourceHandle(), id, page);
        }
        sheet.m_psh.dwFlags |= PSH_WIZARD97;
        sheet.AddPage(&source);
        sheet.AddPage(&identity);
        EXPECT_TRUE(sheet.Create());
        ShowWindow(sheet, SW_SHOW);
        PumpWaitingMessages();
    }
    CValidatingPage source{IDD_SOURCE, "The initial HTML-page for Pollenta project creation"};
    CValidatingPage identity{IDD_IDENTITY, "The general properties of the Pollenta project"};
    CPropertySheet sheet{"NewProject", nullptr, 0, nullptr, nullptr};
};

} // namespace

TEST_F(UiTest, APageEnablesNextOnlyWhenItsDataIsValid)
{
    TwoPages wizard;
    EXPECT_FALSE(IsWindowEnabled(wizard.sheet.GetDlgItem(ID_WIZNEXT)));
    EXPECT_TRUE(IsWindowEnabled(wizard.sheet.GetDlgItem(ID_WIZBACK)));
    wizard.source.SetWizardButtons(true);
    PumpWaitingMessages();
    EXPECT_TRUE(IsWindowEnabled(wizard.sheet.GetDlgItem(ID_WIZNEXT)));
}

TEST_F(UiTest, CancellingAsksAndNoKeepsTheWizardOpen)
{
    TwoPages wizard;
    m_boxAnswer = IDNO;
    wizard.sheet.PressButton(PSBTN_CANCEL);
    EXPECT_TRUE(IsWindowVisible(wizard.sheet));
    ASSERT_EQ(1u, m_boxes.size());
    EXPECT_EQ(WE_ASK_CANCEL, m_boxes[0].text);
    EXPECT_EQ(WE_CAPTION, m_boxes[0].caption);
    EXPECT_EQ(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, m_boxes[0].type);
    m_boxAnswer = IDYES;
    wizard.sheet.PressButton(PSBTN_CANCEL);
    EXPECT_EQ(2u, m_boxes.size());
}
