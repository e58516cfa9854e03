#include "UiTestEnvironment.h"
#include "controls/WEAnchorDialog.h"
#include "ui/WinApp.h"

#include <QApplication>

namespace {

constexpr UINT IDD_PICKER = 208;
constexpr int IDC_PROJECTS = 1000;
constexpr int IDC_OPTIONS = 1001;
constexpr int IDC_KEEP = 1002;
constexpr int IDC_TITLE = 1003;

void RegisterPicker()
{
    DialogTemplate dialog;
    dialog.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    dialog.cx = 200;
    dialog.cy = 100;
    dialog.caption = "Projects";
    dialog.items = {
        {"SysListView32", "", IDC_PROJECTS, WS_VISIBLE | LVS_REPORT, 0, 7, 7, 186, 60},
        {"Button", "Options", IDC_OPTIONS, WS_VISIBLE | BS_GROUPBOX, 0, 7, 70, 80, 25},
        {"Button", "Keep", IDC_KEEP, WS_VISIBLE | BS_AUTOCHECKBOX, 0, 12, 80, 60, 10},
        {"Static", "Title", IDC_TITLE, WS_VISIBLE | SS_LEFT, 0, 100, 40, 40, 10},
        {"Button", "OK", IDOK, WS_VISIBLE | BS_DEFPUSHBUTTON, 0, 90, 80, 50, 14},
        {"Button", "Cancel", IDCANCEL, WS_VISIBLE, 0, 145, 80, 50, 14},
    };
    RegisterDialogTemplate(AfxGetResourceHandle(), IDD_PICKER, dialog);
}

class CPickerDialog : public CWEAnchorDialog {
public:
    CPickerDialog() : CWEAnchorDialog(IDD_PICKER, nullptr) {}

    BOOL OnInitDialog() override
    {
        CWEAnchorDialog::OnInitDialog();
        AnchorControl(GetDlgItem(IDC_PROJECTS), 0, 0, 100, 100);
        AnchorControl(GetDlgItem(IDC_OPTIONS), 0, 100, -1, -1);
        AnchorControl(GetDlgItem(IDC_KEEP), 0, 100, -1, -1);
        AnchorControl(GetDlgItem(IDC_TITLE), 50, 0, -1, -1);
        AnchorControl(GetDlgItem(IDOK), 100, 100, -1, -1);
        AnchorControl(GetDlgItem(IDCANCEL), 100, 100, -1, -1);
        if (!m_section.empty())
            EnableSaveRestore(m_section.c_str());
        return TRUE;
    }
    std::string m_section;
};

RECT ClientRectOf(HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}

SIZE ClientSize(HWND hwnd)
{
    RECT rect{};
    GetClientRect(hwnd, &rect);
    return SIZE{rect.right, rect.bottom};
}

// Counts the moves and resizes that reach any widget.
class MoveCounter : public QObject {
public:
    int m_count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
            ++m_count;
        return false;
    }
};

class AnchorDialogTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        RegisterPicker();
    }
};

} // namespace

TEST_F(AnchorDialogTest, TheTemplateBecomesResizableWithAGrip)
{
    CPickerDialog picker;
    ASSERT_TRUE(picker.Create());
    DWORD style = static_cast<DWORD>(GetWindowLong(picker, GWL_STYLE));
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & DS_MODALFRAME);
    // The client area keeps the template's size: 200 x 100 dialog units.
    EXPECT_EQ(ClientSize(picker).cx, 300);
    EXPECT_EQ(ClientSize(picker).cy, 163);

    HWND grip = picker.GetSizeGrip();
    char name[32] = {};
    GetClassName(grip, name, sizeof(name));
    EXPECT_STREQ(name, "ScrollBar");
    EXPECT_TRUE(GetWindowLong(grip, GWL_STYLE) & static_cast<LONG>(SBS_SIZEGRIP));
    EXPECT_EQ(ClientRectOf(grip), (RECT{283, 146, 300, 163}));
    EXPECT_TRUE(IsWindowEnabled(grip));

    // Only the lower right triangle belongs to the grip.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetWindowRgn(grip, region), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(region, 16, 0));
    EXPECT_TRUE(PtInRegion(region, 16, 1));
    EXPECT_FALSE(PtInRegion(region, 15, 1));
    EXPECT_TRUE(PtInRegion(region, 1, 16));
    EXPECT_FALSE(PtInRegion(region, 0, 16));
    EXPECT_TRUE(PtInRegion(region, 16, 16));
    DeleteObject(region);
}

TEST_F(AnchorDialogTest, ControlsFollowTheirAnchorsToTheExactPixel)
{
    CPickerDialog picker;
    ASSERT_TRUE(picker.Create());
    EXPECT_EQ(ClientRectOf(picker.GetDlgItem(IDC_PROJECTS)), (RECT{11, 11, 290, 109}));
    EXPECT_EQ(ClientRectOf(picker.GetDlgItem(IDOK)), (RECT{135, 130, 210, 153}));

    SetWindowPos(picker, nullptr, 0, 0, 401, 250, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(ClientSize(picker).cx, 401);
    // Stretched with both corners.
    EXPECT_EQ(ClientRectOf(picker.GetDlgItem(IDC_PROJECTS)), (RECT{11, 11, 391, 196}));
    // Moved with the lower right corner, same size.
    EXPECT_EQ(ClientRectOf(picker.GetDlgItem(IDOK)), (RECT{236, 217, 311, 240}));
    EXPECT_EQ(ClientRectOf(picker.GetDlgItem(IDCANCEL)), (RECT{319, 217, 394, 240}));
    // Moved down with the lower left corner.
    EXPECT_EQ(ClientRectOf(picker.GetDlgItem(IDC_KEEP)), (RECT{18, 217, 108, 233}));
    // Half of 401 is 200 in whole pixels.
    EXPECT_EQ(ClientRectOf(picker.GetDlgItem(IDC_TITLE)), (RECT{200, 65, 260, 81}));
    EXPECT_EQ(ClientRectOf(picker.GetSizeGrip()), (RECT{384, 233, 401, 250}));
}

TEST_F(AnchorDialogTest, TheDialogStopsAtItsTemplateSize)
{
    CPickerDialog picker;
    ASSERT_TRUE(picker.Create());
    SetWindowPos(picker, nullptr, 0, 0, 100, 50, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ClientSize(picker).cx, 300);
    EXPECT_EQ(ClientSize(picker).cy, 163);
    SetWindowPos(picker, nullptr, 0, 0, 250, 400, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ClientSize(picker).cx, 300);
    EXPECT_EQ(ClientSize(picker).cy, 400);

    MINMAXINFO info{};
    picker.OnGetMinMaxInfo(&info);
    EXPECT_EQ(info.ptMinTrackSize.x, 300);
    EXPECT_EQ(info.ptMinTrackSize.y, 163);
}

TEST_F(AnchorDialogTest, AnUnchangedSizeMovesNothing)
{
    CPickerDialog picker;
    ASSERT_TRUE(picker.Create());
    SetWindowPos(picker, nullptr, 0, 0, 350, 200, SWP_NOMOVE | SWP_NOZORDER);
    MoveCounter counter;
    qApp->installEventFilter(&counter);
    picker.LayoutControls();
    picker.OnSize(SIZE_RESTORED, 350, 200);
    qApp->removeEventFilter(&counter);
    EXPECT_EQ(counter.m_count, 0);
}

TEST_F(AnchorDialogTest, OnlyRealSizeChangesLayOutAgain)
{
    CPickerDialog picker;
    ASSERT_TRUE(picker.Create());
    HWND ok = picker.GetDlgItem(IDOK);
    RECT anchored = ClientRectOf(ok);
    SetWindowPos(ok, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    // Sent when another window is maximized or restored: not ours.
    picker.OnSize(SIZE_MAXSHOW, 300, 163);
    picker.OnSize(SIZE_MAXHIDE, 300, 163);
    EXPECT_EQ(ClientRectOf(ok).left, 5);

    ShowWindow(picker, SW_SHOW);
    ShowWindow(picker, SW_MINIMIZE);
    SetWindowPos(ok, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(picker, SW_RESTORE);
    EXPECT_FALSE(IsIconic(picker));
    EXPECT_EQ(ClientRectOf(ok), anchored);
}

TEST_F(AnchorDialogTest, AMaximizedDialogHasADisabledGrip)
{
    CPickerDialog picker;
    ASSERT_TRUE(picker.Create());
    ShowWindow(picker, SW_SHOW);
    ShowWindow(picker, SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(picker));
    EXPECT_FALSE(IsWindowEnabled(picker.GetSizeGrip()));
    SIZE size = ClientSize(picker);
    EXPECT_EQ(ClientRectOf(picker.GetSizeGrip()), (RECT{size.cx - 17, size.cy - 17, size.cx, size.cy}));
    ShowWindow(picker, SW_RESTORE);
    EXPECT_TRUE(IsWindowEnabled(picker.GetSizeGrip()));
}

#ifndef POLLENTA_CONTROLS_ADDIN
TEST_F(AnchorDialogTest, TheEraseLeavesOutOpaqueControlsOnly)
{
    CPickerDialog picker;
    ASSERT_TRUE(picker.Create());
    HWND group = picker.GetDlgItem(IDC_OPTIONS);
    EXPECT_TRUE(GetWindowLong(group, GWL_STYLE) & static_cast<LONG>(WS_CLIPSIBLINGS));
    EXPECT_FALSE(picker.IsOpaque(group));
    EXPECT_TRUE(picker.IsOpaque(picker.GetDlgItem(IDC_PROJECTS)));

    ShowWindow(picker, SW_SHOW);
    HDC dc = GetDC(picker);
    picker.ClipChildren(dc);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetClipRgn(dc, clip), 1);
    RECT list = ClientRectOf(picker.GetDlgItem(IDC_PROJECTS));
    RECT groupRect = ClientRectOf(group);
    RECT keep = ClientRectOf(picker.GetDlgItem(IDC_KEEP));
    EXPECT_FALSE(PtInRegion(clip, list.left + 5, list.top + 5));
    EXPECT_TRUE(PtInRegion(clip, groupRect.left + 2, groupRect.bottom - 2)); // the group box is erased
    EXPECT_FALSE(PtInRegion(clip, keep.left + 2, keep.top + 2));             // its check box is not
    EXPECT_TRUE(PtInRegion(clip, 299, 1));                                   // nor is the bare dialog
    DeleteObject(clip);
    ReleaseDC(picker, dc);
}
#endif

TEST_F(AnchorDialogTest, StaticsAndClassesAreJudgedByStyle)
{
    CPickerDialog picker;
    ASSERT_TRUE(picker.Create());
    struct Case {
        const char* className;
        DWORD style;
        BOOL opaque;
        BOOL refresh;
    } cases[] = {
        {"Static", SS_ICON, TRUE, FALSE},
        {"Static", SS_ICON | SS_CENTERIMAGE, FALSE, FALSE},
        {"Static", SS_LEFT, FALSE, TRUE},
        {"Static", SS_GRAYRECT, TRUE, FALSE},
        {"Static", SS_GRAYRECT | SS_CENTERIMAGE, TRUE, TRUE},
        {"Static", SS_ETCHEDHORZ, TRUE, FALSE},
        {"Static", SS_SIMPLE | SS_CENTERIMAGE, FALSE, FALSE},
        {"Static", SS_BITMAP, TRUE, TRUE},
        {"ToolbarWindow32", TBSTYLE_TRANSPARENT, FALSE, FALSE},
        {"ToolbarWindow32", 0, TRUE, FALSE},
        {"Button", BS_GROUPBOX, FALSE, FALSE},
        {"Button", BS_PUSHBUTTON, TRUE, FALSE},
        {"Edit", 0, TRUE, FALSE},
    };
    for (const Case& c : cases) {
        HWND control = CreateWindowEx(0, c.className, "x", WS_CHILD | c.style, 0, 0, 10, 10, picker, nullptr, nullptr, nullptr);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(picker.IsOpaque(control), c.opaque) << c.className << " " << c.style;
        EXPECT_EQ(picker.NeedsRefresh(control), c.refresh) << c.className << " " << c.style;
        DestroyWindow(control);
    }
}

TEST_F(AnchorDialogTest, ThePlacementIsSavedAndRestored)
{
    CWinApp app("Pollenta");
    app.SetRegistryKey("Velquin Ltd");
    {
        CPickerDialog picker;
        picker.m_section = "PickerPosition";
        ASSERT_TRUE(picker.Create());
        SetWindowPos(picker, nullptr, 40, 30, 420, 260, SWP_NOZORDER);
        DestroyWindow(picker);
    }
    EXPECT_EQ(app.GetProfileString("PickerPosition", "WindowPlacement"), "40,30,460,290,1,0");

    CPickerDialog again;
    again.m_section = "PickerPosition";
    ASSERT_TRUE(again.Create());
    RECT rect{};
    GetWindowRect(again, &rect);
    EXPECT_EQ(rect, (RECT{40, 30, 460, 290}));
    // The controls are laid out for the restored size.
    EXPECT_EQ(ClientRectOf(again.GetDlgItem(IDOK)), (RECT{255, 227, 330, 250}));
    DestroyWindow(again);

    // Damaged or too small placements: the first is ignored, the second
    // cannot make the dialog smaller than its template.
    app.WriteProfileString("PickerPosition", "WindowPlacement", "40,30,x,290,1,0");
    CPickerDialog damaged;
    damaged.m_section = "PickerPosition";
    ASSERT_TRUE(damaged.Create());
    EXPECT_EQ(ClientSize(damaged).cx, 300);

    app.WriteProfileString("PickerPosition", "WindowPlacement", "10,10,20,20,1,0");
    CPickerDialog tiny;
    tiny.m_section = "PickerPosition";
    ASSERT_TRUE(tiny.Create());
    EXPECT_EQ(ClientSize(tiny).cx, 300);
    EXPECT_EQ(ClientSize(tiny).cy, 163);
}
