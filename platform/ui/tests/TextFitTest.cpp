// The fit check finds every text a control cuts, measured the way the
// control draws it, and passes what fits, however tight.

#include "UiTestEnvironment.h"
#include "ui/ComboBox.h"
#include "ui/Dialog.h"
#include "ui/ImageList.h"
#include "ui/ListCtrl.h"
#include "ui/TextFit.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int IDC_SHORT = 1000;
constexpr int IDC_WRAPPED = 1001;
constexpr int IDC_CUT_LINES = 1002;
constexpr int IDC_NARROW_BOX = 1003;
constexpr int IDC_WIDE_BOX = 1004;
constexpr int IDC_RADIO = 1005;
constexpr int IDC_BUTTON = 1006;
constexpr int IDC_HIDDEN = 1007;
constexpr int IDC_GROUP = 1008;
constexpr int IDC_COMBO = 1009;
constexpr int IDC_LIST = 1010;
constexpr int IDC_NO_WRAP = 1011;
constexpr int IDC_WRAPPING_RADIO = 1012;

const std::string kSentence = "Select the folders to be monitored for messages with survey results:";

DialogTemplate FitTemplate()
{
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION;
    dialog.cx = 300;
    dialog.cy = 220;
    dialog.caption = "Fit";
    dialog.items = {
        {"Static", "Folder:", IDC_SHORT, WS_VISIBLE, 0, 7, 7, 40, 8},
        {"Static", kSentence, IDC_WRAPPED, WS_VISIBLE, 0, 7, 20, 150, 24},
        {"Static", kSentence, IDC_CUT_LINES, WS_VISIBLE, 0, 7, 50, 150, 8},
        {"Static", "Processing of messages with survey results", IDC_NO_WRAP, WS_VISIBLE | SS_LEFTNOWORDWRAP, 0, 7, 62,
         100, 8},
        {"Button", "Don't process new messages in service folders", IDC_NARROW_BOX, WS_VISIBLE | BS_AUTOCHECKBOX, 0, 7,
         75, 120, 10},
        {"Button", "Keep logs", IDC_WIDE_BOX, WS_VISIBLE | BS_AUTOCHECKBOX, 0, 7, 90, 120, 10},
        {"Button", "entfernen und endgültig zu löschen", IDC_RADIO, WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 7, 105, 90, 10},
        {"Button", "entfernen und endgültig zu löschen", IDC_WRAPPING_RADIO, WS_VISIBLE | BS_AUTORADIOBUTTON | BS_MULTILINE,
         0, 100, 100, 90, 20},
        {"Button", "View / delete...", IDC_BUTTON, WS_VISIBLE, 0, 7, 120, 40, 14},
        {"Button", "a text nobody sees in a narrow box", IDC_HIDDEN, BS_AUTOCHECKBOX, 0, 7, 140, 20, 10},
        {"Button", "Processing of messages with survey results", IDC_GROUP, WS_VISIBLE | BS_GROUPBOX, 0, 7, 155, 80, 30},
        {"ComboBox", "", IDC_COMBO, WS_VISIBLE | CBS_DROPDOWNLIST, 0, 160, 7, 100, 60},
        {"SysListView32", "", IDC_LIST, WS_VISIBLE | LVS_REPORT, 0, 160, 30, 130, 80},
    };
    return dialog;
}

bool IsCut(const std::vector<CutText>& cuts, int id)
{
    return std::any_of(cuts.begin(), cuts.end(), [id](const CutText& cut) { return cut.id == id; });
}

std::vector<CutText> CutsOf(const std::vector<CutText>& cuts, int id)
{
    std::vector<CutText> of;
    std::copy_if(cuts.begin(), cuts.end(), std::back_inserter(of), [id](const CutText& cut) { return cut.id == id; });
    return of;
}

} // namespace

TEST_F(UiTest, TheFitCheckFindsEachCutTextAndPassesWhatFits)
{
    DialogTemplate dialog = FitTemplate();
    CDialog window(dialog);
    ASSERT_TRUE(window.Create());
    CComboBox combo;
    combo.Attach(window.GetDlgItem(IDC_COMBO));
    combo.AddString("Leave unchanged");
    combo.AddString("Mark with the flag and move on");
    combo.Detach();
    std::vector<CutText> cuts = FindCutTexts(window);

    EXPECT_FALSE(IsCut(cuts, IDC_SHORT));
    EXPECT_FALSE(IsCut(cuts, IDC_WRAPPED)) << "wraps onto the lines it has";
    EXPECT_TRUE(IsCut(cuts, IDC_CUT_LINES)) << "one line for a sentence that needs two";
    EXPECT_TRUE(IsCut(cuts, IDC_NO_WRAP)) << "a static that does not wrap";
    EXPECT_TRUE(IsCut(cuts, IDC_NARROW_BOX)) << "a check box does not wrap";
    EXPECT_FALSE(IsCut(cuts, IDC_WIDE_BOX));
    EXPECT_TRUE(IsCut(cuts, IDC_RADIO));
    EXPECT_FALSE(IsCut(cuts, IDC_WRAPPING_RADIO)) << "BS_MULTILINE wraps onto its second line";
    EXPECT_TRUE(IsCut(cuts, IDC_BUTTON));
    EXPECT_FALSE(IsCut(cuts, IDC_HIDDEN)) << "hidden controls show nothing";
    EXPECT_TRUE(IsCut(cuts, IDC_GROUP));
    ASSERT_TRUE(IsCut(cuts, IDC_COMBO));
    auto comboCut = std::find_if(cuts.begin(), cuts.end(), [](const CutText& cut) { return cut.id == IDC_COMBO; });
    EXPECT_EQ(comboCut->text, "Mark with the flag and move on");
    EXPECT_EQ(comboCut->dimension, "width");
    EXPECT_GT(comboCut->needed, comboCut->available);
    EXPECT_NE(DescribeCutTexts(cuts).find("\"Mark with the flag and move on\": width"), std::string::npos);
}

TEST_F(UiTest, AnAutoSizedListColumnMakesRoomForItsIconsAndTheFitCheckSeesIt)
{
    DialogTemplate dialog = FitTemplate();
    CDialog window(dialog);
    ASSERT_TRUE(window.Create());
    CListCtrl list;
    list.Attach(window.GetDlgItem(IDC_LIST));
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0));
    images.Add(LoadIcon(nullptr, IDI_WARNING));
    list.SetImageList(&images, LVSIL_SMALL);
    list.InsertColumn(0, "Address");
    list.InsertColumn(1, "Result");
    list.InsertItem(0, "CORP\\jsmith <corp@example.org>", 0);
    list.SetItemText(0, 1, "sent");

    list.SetColumnWidth(0, 60);
    list.SetColumnWidth(1, 200);
    std::vector<CutText> narrow = CutsOf(FindCutTexts(window), IDC_LIST);
    ASSERT_EQ(narrow.size(), 1u) << DescribeCutTexts(narrow);
    EXPECT_EQ(narrow[0].text, "CORP\\jsmith <corp@example.org>");

    list.SetColumnWidth(0, LVSCW_AUTOSIZE);
    list.SetColumnWidth(1, LVSCW_AUTOSIZE_USEHEADER);
    EXPECT_TRUE(CutsOf(FindCutTexts(window), IDC_LIST).empty()) << DescribeCutTexts(FindCutTexts(window));
    list.Detach();
}
