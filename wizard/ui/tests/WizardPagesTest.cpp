#include "HandMadeBitmap.h"
#include "WizardUiTest.h"
#include "ui/Screenshot.h"
#include "wizardui/WEProjPropPage.h"
#include "wizardui/WEWizardPages.h"

#include <memory>
#include <vector>

namespace {

class COpenPage : public CWEProjPropPage {
public:
    using CWEProjPropPage::CWEProjPropPage;
    BOOL OnSetActive() override
    {
        SetWizardButtons(true);
        return TRUE;
    }
};

} // namespace

TEST_F(UiTest, EveryWizardPageShowsItsControlsUnderItsHeader)
{
    RegisterWizardPageTemplates(AfxGetResourceHandle());
    RegisterImageResource(AfxGetResourceHandle(), 203, HandMadeBitmap(49, 49, 0x30, 0x70, 0xC0));
    RegisterImageResource(AfxGetResourceHandle(), 205, HandMadeBitmap(164, 314, 0x20, 0x50, 0xA0));
    HBITMAP header = LoadBitmap(AfxGetResourceHandle(), 203);
    HBITMAP watermark = LoadBitmap(AfxGetResourceHandle(), 205);
    std::vector<std::unique_ptr<COpenPage>> pages;
    CPropertySheet sheet("NewProject", nullptr, 0, watermark, header);
    sheet.m_psh.dwFlags |= PSH_WIZARD97;
    for (const WEWizardPageInfo& info : kWizardPages) {
        pages.push_back(std::make_unique<COpenPage>(info.dialog, info.headerTitle));
        if (!info.headerTitle)
            pages.back()->m_psp.dwFlags |= PSP_HIDEHEADER;
        sheet.AddPage(pages.back().get());
    }
    ASSERT_TRUE(sheet.Create());
    ShowWindow(sheet, SW_SHOW);
    const std::vector<std::vector<int>> controls = {
        {1027, 1029, 1030, 1031}, {1000, 1001}, {1002}, {1003, 1004, 1005}, {1015, 1016}, {1006, 1007, 1008},
        {1009, 1010, 1011, 1012}, {1014}, {1018}, {1013, 1018, 1019}, {1028}};
    for (size_t index = 0; index < kWizardPages.size(); ++index) {
        SCOPED_TRACE(testing::Message() << "page " << kWizardPages[index].dialog);
        PumpWaitingMessages();
        ASSERT_EQ(static_cast<int>(index), sheet.GetActiveIndex());
        for (int id : controls[index])
            EXPECT_NE(nullptr, GetDlgItem(*pages[index], id)) << id;
        std::string name = "wizard-page-" + std::to_string(kWizardPages[index].dialog) + ".png";
        ASSERT_TRUE(SaveWindowPicture(sheet, Picture(name.c_str()).c_str()));
        sheet.PressButton(PSBTN_NEXT);
    }
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(*pages[9], 1019))); // Retry waits for a change
    DestroyWindow(sheet);
    DeleteObject(header);
    DeleteObject(watermark);
}
