#include "UiInput.h"
#include "UiTestEnvironment.h"
#include "ui/Dialog.h"
#include "ui/DialogHook.h"
#include "ui/WinApp.h"

namespace {

constexpr int IDC_NAME = 1000;
constexpr int IDC_COLLECT = 1001;
constexpr int IDC_FIRST = 1002;
constexpr int IDC_SECOND = 1003;
constexpr int IDC_APPLY = 1004;

DialogTemplate SampleTemplate()
{
    DialogTemplate dialog;
    dialog.style = DS_MODALFRAME | WS_POPUP | WS_CAPTION;
    dialog.cx = 200;
    dialog.cy = 100;
    dialog.caption = "Sample";
    dialog.items = {
        {"Edit", "first text", IDC_NAME, WS_VISIBLE | WS_TABSTOP, 0, 7, 7, 120, 12},
        {"Button", "&Collect", IDC_COLLECT, WS_VISIBLE | BS_AUTOCHECKBOX, 0, 7, 25, 80, 10},
        {"Button", "First", IDC_FIRST, WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, 0, 7, 40, 80, 10},
        {"Button", "Second", IDC_SECOND, WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 7, 52, 80, 10},
        {"Button", "Apply", IDC_APPLY, WS_VISIBLE | WS_DISABLED, 0, 90, 80, 50, 14},
        {"Button", "OK", IDOK, WS_VISIBLE | BS_DEFPUSHBUTTON, 0, 145, 80, 50, 14},
    };
    return dialog;
}

class CSampleDialog : public CDialog {
public:
    explicit CSampleDialog(const DialogTemplate& dialog) : CDialog(dialog) {}

    BOOL OnInitDialog() override
    {
        m_initialText = GetWindowTextString(GetDlgItem(IDC_NAME));
        if (m_endAtOnce)
            EndDialog(77);
        return TRUE;
    }
    BOOL OnCommand(int id, UINT code, HWND control) override
    {
        m_commands.push_back({id, code});
        return CDialog::OnCommand(id, code, control);
    }
    void OnTimer(UINT_PTR id) override
    {
        KillTimer(m_hWnd, id);
        EndDialog(static_cast<int>(id));
    }

    bool m_endAtOnce = false;
    std::string m_initialText;
    std::vector<std::pair<int, UINT>> m_commands;
};

} // namespace

TEST_F(UiTest, TemplateControlsExistByIdInDialogUnits)
{
    DialogTemplate dialog = SampleTemplate();
    CSampleDialog sample(dialog);
    ASSERT_TRUE(sample.Create());
    EXPECT_EQ(sample.m_initialText, "first text");

    RECT client{};
    GetClientRect(sample, &client);
    EXPECT_EQ(client.right, 300);  // 200 units of 6/4 pixels
    EXPECT_EQ(client.bottom, 163); // 100 units of 13/8 pixels, rounded

    RECT edit{};
    GetWindowRect(sample.GetDlgItem(IDC_NAME), &edit);
    MapWindowPoints(nullptr, sample, reinterpret_cast<LPPOINT>(&edit), 2);
    EXPECT_EQ(edit, (RECT{11, 11, 191, 31}));

    char name[32] = {};
    GetClassName(sample.GetDlgItem(IDOK), name, sizeof(name));
    EXPECT_STREQ(name, "Button");
    EXPECT_EQ(GetDlgCtrlID(sample.GetDlgItem(IDC_APPLY)), IDC_APPLY);
    EXPECT_EQ(GetParent(sample.GetDlgItem(IDC_APPLY)), sample.GetSafeHwnd());
    EXPECT_EQ(sample.GetDlgItem(4711), nullptr);
    EXPECT_FALSE(IsWindowEnabled(sample.GetDlgItem(IDC_APPLY)));
    EnableWindow(sample.GetDlgItem(IDC_APPLY), TRUE);
    EXPECT_TRUE(IsWindowEnabled(sample.GetDlgItem(IDC_APPLY)));
    EXPECT_TRUE(GetWindowLong(sample.GetDlgItem(IDC_APPLY), GWL_STYLE) & static_cast<LONG>(WS_VISIBLE));
}

TEST_F(UiTest, TextsChecksAndRadioGroups)
{
    DialogTemplate dialog = SampleTemplate();
    CSampleDialog sample(dialog);
    ASSERT_TRUE(sample.Create());

    SetDlgItemText(sample, IDC_NAME, "Umfrage über Äpfel");
    char text[64] = {};
    EXPECT_EQ(GetDlgItemText(sample, IDC_NAME, text, sizeof(text)), strlen("Umfrage über Äpfel"));
    EXPECT_STREQ(text, "Umfrage über Äpfel");
    char small[5] = {};
    EXPECT_EQ(GetWindowText(sample.GetDlgItem(IDC_NAME), small, sizeof(small)), 4);
    EXPECT_STREQ(small, "Umfr");
    // Setting an edit's text is a change like any other.
    EXPECT_NE(std::find(sample.m_commands.begin(), sample.m_commands.end(), std::make_pair(IDC_NAME, EN_CHANGE)),
              sample.m_commands.end());

    EXPECT_EQ(IsDlgButtonChecked(sample, IDC_COLLECT), BST_UNCHECKED);
    CheckDlgButton(sample, IDC_COLLECT, BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(sample, IDC_COLLECT), BST_CHECKED);

    CheckRadioButton(sample, IDC_FIRST, IDC_SECOND, IDC_SECOND);
    EXPECT_EQ(IsDlgButtonChecked(sample, IDC_SECOND), BST_CHECKED);
    CheckRadioButton(sample, IDC_FIRST, IDC_SECOND, IDC_FIRST);
    EXPECT_EQ(IsDlgButtonChecked(sample, IDC_FIRST), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(sample, IDC_SECOND), BST_UNCHECKED);
}

TEST_F(UiTest, ModalDialogEndsWithItsResult)
{
    DialogTemplate dialog = SampleTemplate();
    CSampleDialog atOnce(dialog);
    atOnce.m_endAtOnce = true;
    EXPECT_EQ(atOnce.DoModal(), 77);
    EXPECT_EQ(atOnce.GetSafeHwnd(), nullptr);

    struct Starter : CSampleDialog {
        using CSampleDialog::CSampleDialog;
        BOOL OnInitDialog() override
        {
            SetTimer(m_hWnd, 42, 10, nullptr);
            return TRUE;
        }
    } starter(dialog);
    // Offscreen a dialog that waits runs only while a test watches dialogs.
    SetDialogShownHook([](CDialog&) {});
    EXPECT_EQ(starter.DoModal(), 42);
    SetDialogShownHook({});

    CDialog unknown(4711u);
    EXPECT_EQ(unknown.DoModal(), -1);
}

TEST_F(UiTest, ButtonsAndClosingReachTheHandlers)
{
    DialogTemplate dialog = SampleTemplate();
    CSampleDialog sample(dialog);
    ASSERT_TRUE(sample.Create());
    HWND hwnd = sample;
    CheckDlgButton(sample, IDC_COLLECT, BST_UNCHECKED);
    sample.m_commands.clear();

    // A user's click on the check box and on OK.
    ShowWindow(hwnd, SW_SHOW);
    PumpWaitingMessages();
    ClickCentre(sample.GetDlgItem(IDC_COLLECT));
    EXPECT_EQ(IsDlgButtonChecked(sample, IDC_COLLECT), BST_CHECKED);
    ClickCentre(sample.GetDlgItem(IDOK));
    ASSERT_GE(sample.m_commands.size(), 2u);
    EXPECT_EQ(sample.m_commands[0], std::make_pair(IDC_COLLECT, BN_CLICKED));
    EXPECT_EQ(sample.m_commands.back(), std::make_pair(IDOK, BN_CLICKED));
    // A modeless dialog hides at EndDialog and stays until destroyed.
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_TRUE(IsWindow(hwnd));
    DestroyWindow(hwnd);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(sample.GetSafeHwnd(), nullptr);
}

TEST_F(UiTest, PlacementRoundTripsAndIsChecked)
{
    DialogTemplate dialog = SampleTemplate();
    dialog.style |= WS_THICKFRAME;
    CSampleDialog sample(dialog);
    ASSERT_TRUE(sample.Create());
    SetWindowPos(sample, nullptr, 30, 40, 350, 200, SWP_NOZORDER);

    WINDOWPLACEMENT placement{};
    EXPECT_FALSE(GetWindowPlacement(sample, &placement)); // no length given
    placement.length = sizeof(WINDOWPLACEMENT);
    ASSERT_TRUE(GetWindowPlacement(sample, &placement));
    EXPECT_EQ(placement.rcNormalPosition, (RECT{30, 40, 380, 240}));
    EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWNORMAL));

    placement.rcNormalPosition = RECT{10, 20, 410, 270};
    ASSERT_TRUE(SetWindowPlacement(sample, &placement));
    RECT rect{};
    GetWindowRect(sample, &rect);
    EXPECT_EQ(rect, (RECT{10, 20, 410, 270}));
    EXPECT_TRUE(IsWindowVisible(sample));

    placement.rcNormalPosition = RECT{10, 20, 5, 270};
    EXPECT_FALSE(SetWindowPlacement(sample, &placement));
}

TEST_F(UiTest, BoxesAndChoosersGoThroughTheHooks)
{
    CWinApp app("Pollenta");
    m_boxAnswer = IDYES;
    EXPECT_EQ(AfxMessageBox("Delete the project?", MB_YESNO | MB_ICONQUESTION), IDYES);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, "Delete the project?");
    EXPECT_EQ(m_boxes[0].caption, "Pollenta");
    EXPECT_EQ(m_boxes[0].type, MB_YESNO | MB_ICONQUESTION);

    std::vector<ChooserRequest> asked;
    SetChooserHook([&](const ChooserRequest& request, std::string& path) {
        asked.push_back(request);
        path = request.kind == ChooserRequest::Kind::Folder ? m_dir : m_dir + "/report";
        return true;
    });
    char file[260] = "old.csv";
    OPENFILENAME save;
    save.lpstrFilter = "CSV files\0*.csv\0Log files\0*.log\0";
    save.lpstrFile = file;
    save.nMaxFile = sizeof(file);
    save.lpstrDefExt = "csv";
    save.Flags = OFN_OVERWRITEPROMPT;
    ASSERT_TRUE(GetSaveFileName(&save));
    EXPECT_EQ(std::string(file), m_dir + "/report.csv");
    EXPECT_EQ(asked[0].filter, "CSV files|*.csv|Log files|*.log");
    EXPECT_EQ(asked[0].initialPath, "old.csv");

    char tiny[8] = "";
    save.lpstrFile = tiny;
    save.nMaxFile = sizeof(tiny);
    EXPECT_FALSE(GetSaveFileName(&save)); // refused, not cut

    char display[260] = {};
    BROWSEINFO browse;
    browse.pszDisplayName = display;
    PIDLIST_ABSOLUTE folder = SHBrowseForFolder(&browse);
    ASSERT_NE(folder, nullptr);
    char path[260] = {};
    ASSERT_TRUE(SHGetPathFromIDList(folder, path));
    ILFree(folder);
    EXPECT_EQ(std::string(path), m_dir);
    EXPECT_EQ(std::string(display), std::filesystem::path(m_dir).filename().string());

    SetChooserHook([](const ChooserRequest&, std::string&) { return false; });
    EXPECT_EQ(SHBrowseForFolder(&browse), nullptr);
}
