#include "UiTestEnvironment.h"
#include "ui/Dialog.h"
#include "ui/DialogHook.h"
#include "ui/Icon.h"
#include "ui/ImageList.h"
#include "ui/ListCtrl.h"
#include "ui/MessageLoop.h"

#include <QApplication>
#include <QWidget>

namespace {

constexpr int IDC_LIST = 1000;
constexpr int IDC_PICTURE = 1001;

DialogTemplate ListTemplate(DWORD style = WS_POPUP | WS_CAPTION)
{
    DialogTemplate dialog;
    dialog.style = style;
    dialog.cx = 200;
    dialog.cy = 100;
    dialog.caption = "Errors";
    dialog.items = {
        {WC_LISTVIEW, "", IDC_LIST, WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER, 0, 5, 5, 190, 40},
        {WC_STATIC, "", IDC_PICTURE, WS_CHILD | WS_VISIBLE | SS_ICON, 0, 5, 60, 20, 20},
    };
    return dialog;
}

class CClosingDialog : public CDialog {
public:
    using CDialog::CDialog;
    void OnClose() override { ++m_closes; }
    int m_closes = 0;
};

// A 2 by 1 bitmap as its file format describes it: file header, info
// header, one row of two blue-green-red pixels padded to four bytes.
std::vector<BYTE> TinyBitmap()
{
    return {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  // file header
            40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 8, 0, 0, 0,
            0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // info header
            0, 0, 255, 0, 255, 0, 0, 0};
}

}  // namespace

TEST_F(UiTest, TheShownHookSeesAModalDialogBeforeItWaits)
{
    DialogTemplate dialog = ListTemplate();
    CDialog modal(dialog);
    std::vector<std::string> seen;
    SetDialogShownHook([&](CDialog& shown) {
        seen.push_back(GetWindowTextString(shown.m_hWnd));
        shown.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(IDCANCEL, modal.DoModal());
    SetDialogShownHook({});
    EXPECT_EQ(std::vector<std::string>{"Errors"}, seen);
}

TEST_F(UiTest, TheLoopRunsUntilItsConditionOrAQuitRequest)
{
    bool done = false;
    PostCallback([&] { done = true; });
    EXPECT_TRUE(RunMessageLoopUntil([&] { return done; }));

    PostCallback([] { PostQuitMessage(0); });
    EXPECT_FALSE(RunMessageLoopUntil([] { return false; }));
    // The request stays for the host's own loop.
    EXPECT_TRUE(IsQuitRequested());
    EXPECT_FALSE(RunMessageLoopUntil([] { return false; }));
    ClearQuitRequest();
    EXPECT_FALSE(IsQuitRequested());
}

TEST_F(UiTest, ClosingTheWindowReachesTheCloseHandler)
{
    DialogTemplate dialog = ListTemplate(WS_POPUP | WS_CAPTION | WS_VISIBLE);
    CClosingDialog window(dialog);
    ASSERT_TRUE(window.Create());
    QWidget* widget = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->windowTitle() == "Errors")
            widget = top;
    ASSERT_NE(nullptr, widget);
    widget->close();
    EXPECT_EQ(1, window.m_closes);
    // The handler chose to stay open.
    EXPECT_TRUE(IsWindowVisible(window.m_hWnd));
}

TEST_F(UiTest, ListRowsCarryPicturesPositionsAndScroll)
{
    DialogTemplate dialog = ListTemplate(WS_POPUP | WS_CAPTION | WS_VISIBLE);
    CDialog window(dialog);
    ASSERT_TRUE(window.Create());
    CListCtrl list;
    list.Attach(window.GetDlgItem(IDC_LIST));
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0));
    EXPECT_FALSE(images.Create(16, 16, ILC_COLOR32, 2, 0));
    EXPECT_EQ(0, images.Add(LoadIcon(nullptr, IDI_INFORMATION)));
    EXPECT_EQ(1, images.Add(LoadIcon(nullptr, IDI_WARNING)));
    EXPECT_EQ(-1, images.Add(nullptr));
    EXPECT_EQ(nullptr, list.SetImageList(&images, LVSIL_SMALL));
    list.InsertColumn(0, "Line");
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(i, list.InsertItem(i, ("line " + std::to_string(i)).c_str(), i % 2));
    EXPECT_EQ(1, list.GetItemImage(29));
    EXPECT_EQ(-1, list.GetItemImage(30));

    POINT first{};
    POINT second{};
    ASSERT_TRUE(list.GetItemPosition(0, &first));
    ASSERT_TRUE(list.GetItemPosition(1, &second));
    EXPECT_GT(second.y, first.y);
    EXPECT_FALSE(list.GetItemPosition(30, &first));

    POINT last{};
    ASSERT_TRUE(list.GetItemPosition(29, &last));
    ASSERT_TRUE(list.Scroll(SIZE{0, last.y}));
    POINT scrolled{};
    ASSERT_TRUE(list.GetItemPosition(0, &scrolled));
    EXPECT_LT(scrolled.y, first.y);
    list.Detach();
}

TEST_F(UiTest, StaticControlsShowTheIconTheyAreGiven)
{
    DialogTemplate dialog = ListTemplate(WS_POPUP | WS_CAPTION | WS_VISIBLE);
    CDialog window(dialog);
    ASSERT_TRUE(window.Create());
    HWND picture = window.GetDlgItem(IDC_PICTURE);
    HICON warning = LoadIcon(nullptr, IDI_WARNING);
    ASSERT_NE(nullptr, warning);
    EXPECT_EQ(warning, LoadIcon(nullptr, IDI_WARNING));
    EXPECT_EQ(nullptr, LoadIcon(nullptr, "IDI_NONE"));
    EXPECT_EQ(nullptr, SetStaticIcon(picture, warning));
    EXPECT_EQ(warning, GetStaticIcon(picture));

    const std::vector<BYTE> bitmap = TinyBitmap();
    HICON own = CreateIconFromImageData(bitmap.data(), static_cast<UINT>(bitmap.size()));
    ASSERT_NE(nullptr, own);
    EXPECT_GT(GetIconWidth(own, 32), 0);
    EXPECT_EQ(warning, SetStaticIcon(picture, own));
    const BYTE junk[] = {1, 2, 3};
    EXPECT_EQ(nullptr, CreateIconFromImageData(junk, sizeof junk));
    SetStaticIcon(picture, nullptr);
    EXPECT_TRUE(DestroyIcon(own));
    EXPECT_TRUE(DestroyIcon(warning)); // shared: stays usable
    EXPECT_GT(GetIconWidth(LoadIcon(nullptr, IDI_WARNING), 32), 0);
}
