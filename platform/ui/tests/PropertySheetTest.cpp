#include "UiTestEnvironment.h"
#include "ui/PropertySheet.h"

namespace {

constexpr UINT IDD_WELCOME = 103;
constexpr UINT IDD_SOURCE = 110;
constexpr UINT IDD_CHECK = 114;
constexpr UINT IDD_FINISH = 109;
constexpr int IDC_PATH = 1000;

void RegisterPages()
{
    for (UINT id : {IDD_WELCOME, IDD_SOURCE, IDD_CHECK, IDD_FINISH}) {
        DialogTemplate page;
        page.style = WS_CHILD;
        page.cx = id == IDD_SOURCE ? 260 : 220;
        page.cy = 120;
        page.items = {{"Edit", "", IDC_PATH, WS_VISIBLE, 0, 7, 7, 150, 12}};
        if (id == IDD_SOURCE)
            page.caption = "Creating a new Pollenta project (Step 1)";
        if (id == IDD_FINISH)
            page.caption = "Creating a new Pollenta project (Finish)";
        RegisterDialogTemplate(AfxGetResourceHandle(), id, page);
    }
}

class CStepPage : public CPropertyPage {
public:
    CStepPage(UINT id, std::vector<UINT>& visits) : CPropertyPage(id), m_visits(visits) {}
    BOOL OnSetActive() override
    {
        if (m_skip)
            return FALSE;
        m_visits.push_back(GetTemplateId());
        GetSheet()->SetWizardButtons(m_buttons);
        return TRUE;
    }
    LRESULT OnWizardNext() override { return m_next; }
    BOOL OnCommand(int id, UINT code, HWND control) override
    {
        if (id == ID_HELP)
            ++m_helps;
        return CPropertyPage::OnCommand(id, code, control);
    }
    BOOL OnQueryCancel() override { return m_mayCancel; }

    std::vector<UINT>& m_visits;
    bool m_skip = false;
    LRESULT m_next = 0;
    DWORD m_buttons = PSWIZB_BACK | PSWIZB_NEXT;
    int m_helps = 0;
    bool m_mayCancel = true;
};

class CEndingSheet : public CPropertySheet {
public:
    using CPropertySheet::CPropertySheet;
    BOOL OnInitDialog() override
    {
        CPropertySheet::OnInitDialog();
        PressButton(PSBTN_NEXT);
        PressButton(PSBTN_FINISH);
        return TRUE;
    }
};

} // namespace

TEST_F(UiTest, WizardWalksItsPagesAndSkipsTheRefusingOnes)
{
    RegisterPages();
    std::vector<UINT> visits;
    CStepPage welcome(IDD_WELCOME, visits), source(IDD_SOURCE, visits), check(IDD_CHECK, visits), finish(IDD_FINISH, visits);
    welcome.m_buttons = PSWIZB_NEXT;
    check.m_skip = true;
    finish.m_buttons = PSWIZB_BACK | PSWIZB_FINISH;
    CPropertySheet sheet("Creating a new Pollenta project");
    for (CStepPage* page : {&welcome, &source, &check, &finish})
        sheet.AddPage(page);
    ASSERT_TRUE(sheet.Create());
    ShowWindow(sheet, SW_SHOW);

    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_FALSE(sheet.PressButton(PSBTN_BACK)); // disabled on the first page
    EXPECT_FALSE(sheet.PressButton(PSBTN_FINISH)); // hidden
    // The sheet holds the widest page above its buttons.
    RECT client{};
    GetClientRect(sheet, &client);
    EXPECT_EQ(client.right, 390);

    source.m_next = -1;
    sheet.PressButton(PSBTN_NEXT);
    sheet.PressButton(PSBTN_NEXT); // stays
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_TRUE(IsWindowVisible(source));
    EXPECT_FALSE(IsWindowVisible(welcome));

    source.m_next = 0;
    sheet.PressButton(PSBTN_NEXT); // the check page refuses
    EXPECT_EQ(sheet.GetActiveIndex(), 3);
    EXPECT_FALSE(sheet.PressButton(PSBTN_NEXT));
    sheet.PressButton(PSBTN_BACK); // back over the refusing page
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    source.m_next = IDD_FINISH;
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(visits, (std::vector<UINT>{IDD_WELCOME, IDD_SOURCE, IDD_FINISH, IDD_SOURCE, IDD_FINISH}));

    sheet.PressButton(PSBTN_HELP);
    EXPECT_EQ(finish.m_helps, 1);
    SetDlgItemText(finish, IDC_PATH, "C:/forms");
    EXPECT_EQ(GetWindowTextString(GetDlgItem(finish, IDC_PATH)), "C:/forms");

    finish.m_mayCancel = false;
    sheet.PressButton(PSBTN_CANCEL);
    EXPECT_TRUE(IsWindowVisible(sheet));
}

TEST_F(UiTest, WizardFinishesModally)
{
    RegisterPages();
    std::vector<UINT> visits;
    CStepPage welcome(IDD_WELCOME, visits), finish(IDD_FINISH, visits);
    finish.m_buttons = PSWIZB_BACK | PSWIZB_FINISH;
    CEndingSheet sheet("Creating a new Pollenta project");
    sheet.AddPage(&welcome);
    sheet.AddPage(&finish);
    EXPECT_EQ(sheet.DoModal(), ID_WIZFINISH);
    EXPECT_EQ(finish.GetSafeHwnd(), nullptr);
}

TEST_F(UiTest, AWizardsTitleBarShowsTheCaptionOfThePageItShows)
{
    RegisterPages();
    std::vector<UINT> visits;
    CStepPage welcome(IDD_WELCOME, visits), source(IDD_SOURCE, visits), finish(IDD_FINISH, visits);
    CPropertySheet sheet("NewProject");
    for (CStepPage* page : {&welcome, &source, &finish})
        sheet.AddPage(page);
    ASSERT_TRUE(sheet.Create());

    // A page without a caption of its own leaves the sheet's.
    EXPECT_EQ(GetWindowTextString(sheet), "NewProject");
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(GetWindowTextString(sheet), "Creating a new Pollenta project (Step 1)");
    sheet.PressButton(PSBTN_NEXT);
    EXPECT_EQ(GetWindowTextString(sheet), "Creating a new Pollenta project (Finish)");
    sheet.PressButton(PSBTN_BACK);
    EXPECT_EQ(GetWindowTextString(sheet), "Creating a new Pollenta project (Step 1)");
}
