// Tabbed property sheets with Apply, numbers in edits, and what list and
// tree views tell their receivers: column clicks, expanding, check boxes.

#include "UiTestEnvironment.h"
#include "ui/CommonNotify.h"
#include "ui/DlgItemInt.h"
#include "ui/ListCtrl.h"
#include "ui/TabbedPropertySheet.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabBar>
#include <QTreeWidget>

namespace {

constexpr int IDC_NUMBER = 1000;
constexpr int IDC_VIEW = 1001;

class CRecordingDialog : public CDialog {
public:
    explicit CRecordingDialog(const DialogTemplate& dialog) : CDialog(dialog) {}
    LRESULT OnNotify(const NMHDR* header) override
    {
        m_codes.push_back(header->code);
        if (header->code == LVN_COLUMNCLICK)
            m_column = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
        if (header->code == NM_TVSTATEIMAGECHANGING)
            return m_refuse;
        return 0;
    }
    std::vector<UINT> m_codes;
    int m_column = -1;
    LRESULT m_refuse = 0;
};

DialogTemplate ControlsTemplate(const char* viewClass, DWORD viewStyle)
{
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    dialog.cx = 200;
    dialog.cy = 150;
    dialog.items = {
        {"Edit", "", IDC_NUMBER, WS_VISIBLE | ES_NUMBER, 0, 7, 7, 60, 12},
        {viewClass, "", IDC_VIEW, WS_VISIBLE | viewStyle, 0, 7, 25, 186, 118},
    };
    return dialog;
}

class CCountingPage : public CPropertyPage {
public:
    explicit CCountingPage(UINT templateId) : CPropertyPage(templateId) {}
    BOOL OnApply() override
    {
        ++m_applied;
        return m_accept;
    }
    int m_applied = 0;
    BOOL m_accept = TRUE;
};

constexpr UINT IDD_GENERAL = 7101;
constexpr UINT IDD_ADDIN = 7102;

void RegisterPage(UINT id, const char* caption)
{
    DialogTemplate dialog;
    dialog.style = WS_CHILD;
    dialog.cx = 150;
    dialog.cy = 80;
    dialog.caption = caption;
    RegisterDialogTemplate(AfxGetResourceHandle(), id, dialog);
}

int CompareDescending(LPARAM a, LPARAM b, LPARAM) { return static_cast<int>(b - a); }

} // namespace

TEST(DlgItemInt, ReadsOnlyWholeNumbersThatFit)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    DialogTemplate dialog = ControlsTemplate("SysListView32", LVS_REPORT);
    CRecordingDialog window(dialog);
    ASSERT_TRUE(window.Create());
    const struct {
        const char* text;
        BOOL isSigned;
        BOOL translated;
        UINT value;
    } cases[] = {
        {"15", FALSE, TRUE, 15},           {"  42 ", FALSE, TRUE, 42},          {"4294967295", FALSE, TRUE, 4294967295u},
        {"4294967296", FALSE, FALSE, 0},   {"", FALSE, FALSE, 0},               {"12a", FALSE, FALSE, 0},
        {"-5", FALSE, FALSE, 0},           {"-5", TRUE, TRUE, static_cast<UINT>(-5)}, {"2147483648", TRUE, FALSE, 0},
        {"-2147483648", TRUE, TRUE, 0x80000000u}, {"1 2", FALSE, FALSE, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.isSigned ? " signed" : ""));
        SetDlgItemText(window, IDC_NUMBER, c.text);
        BOOL translated = 0xDEAD;
        EXPECT_EQ(c.value, GetDlgItemInt(window, IDC_NUMBER, &translated, c.isSigned));
        EXPECT_EQ(c.translated, translated);
    }
    SetDlgItemInt(window, IDC_NUMBER, static_cast<UINT>(-7), TRUE);
    EXPECT_EQ("-7", GetWindowTextString(GetDlgItem(window, IDC_NUMBER)));
    SetDlgItemInt(window, IDC_NUMBER, 3650, FALSE);
    EXPECT_EQ("3650", GetWindowTextString(GetDlgItem(window, IDC_NUMBER)));
}

TEST_F(UiTest, ANumberEditTakesOnlyDigitsFromTheKeyboard)
{
    DialogTemplate dialog = ControlsTemplate("SysListView32", LVS_REPORT);
    CRecordingDialog window(dialog);
    ASSERT_TRUE(window.Create());
    QLineEdit* edit = nullptr;
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* line = qobject_cast<QLineEdit*>(widget); line && line->isVisible())
            edit = line;
    ASSERT_TRUE(edit);
    for (const char* key : {"1", "x", "2", "-", " "}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
        QApplication::sendEvent(edit, &press);
    }
    EXPECT_EQ("12", GetWindowTextString(GetDlgItem(window, IDC_NUMBER)));
}

TEST_F(UiTest, AListSortsByItsDataTellsColumnClicksAndSaysWhenItIsEmpty)
{
    DialogTemplate dialog = ControlsTemplate("SysListView32", LVS_REPORT);
    CRecordingDialog window(dialog);
    ASSERT_TRUE(window.Create());
    CListCtrl list;
    ASSERT_TRUE(list.Attach(window.GetDlgItem(IDC_VIEW)));
    list.InsertColumn(0, "Name");
    list.InsertColumn(1, "Day");
    list.SetEmptyText("Nothing here");
    EXPECT_EQ("Nothing here", list.GetShownEmptyText());
    for (int i = 0; i < 3; ++i) {
        list.InsertItem(i, std::to_string(i).c_str());
        list.SetItemData(i, static_cast<DWORD_PTR>(i));
    }
    EXPECT_EQ("", list.GetShownEmptyText());
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    ASSERT_TRUE(list.SortItems(CompareDescending, 0));
    EXPECT_EQ("2", list.GetItemText(0, 0));
    EXPECT_EQ("0", list.GetItemText(2, 0));
    EXPECT_EQ(1, list.GetNextItem(-1, LVNI_SELECTED)) << "the selected row stays selected";

    QTreeWidget* view = nullptr;
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* tree = qobject_cast<QTreeWidget*>(widget); tree && tree->isVisible())
            view = tree;
    ASSERT_TRUE(view);
    Q_EMIT view->header()->sectionClicked(1);
    EXPECT_EQ(1, window.m_column);
    list.DeleteAllItems();
    EXPECT_EQ("Nothing here", list.GetShownEmptyText());
}

TEST_F(UiTest, ACheckBoxClickAsksTheReceiversWhoMayKeepTheTreeFromChangingIt)
{
    DialogTemplate dialog = ControlsTemplate("SysTreeView32", TVS_CHECKBOXES | TVS_HASBUTTONS);
    CRecordingDialog window(dialog);
    ASSERT_TRUE(window.Create());
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Attach(window.GetDlgItem(IDC_VIEW)));
    HTREEITEM store = tree.InsertItem("Store");
    tree.InsertItem("Inbox", store);
    QTreeWidget* view = nullptr;
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* found = qobject_cast<QTreeWidget*>(widget); found && found->isVisible())
            view = found;
    ASSERT_TRUE(view);
    auto press = [&] {
        view->setCurrentItem(reinterpret_cast<QTreeWidgetItem*>(store));
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
        QApplication::sendEvent(view, &space);
    };
    press();
    EXPECT_EQ(INDEXTOSTATEIMAGEMASK(2), tree.GetItemState(store, TVIS_STATEIMAGEMASK));
    window.m_refuse = 1;
    press();
    EXPECT_EQ(INDEXTOSTATEIMAGEMASK(2), tree.GetItemState(store, TVIS_STATEIMAGEMASK)) << "refused";
    EXPECT_EQ(2, std::count(window.m_codes.begin(), window.m_codes.end(), NM_TVSTATEIMAGECHANGING));

    window.m_codes.clear();
    tree.Expand(store, TVE_EXPAND);
    EXPECT_EQ((std::vector<UINT>{TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}), window.m_codes);
}

TEST_F(UiTest, ATabbedSheetEnablesApplyForModifiedPagesAndAppliesThemOnOk)
{
    RegisterPage(IDD_GENERAL, "General");
    RegisterPage(IDD_ADDIN, "Add-in");
    CCountingPage general(IDD_GENERAL);
    CCountingPage addin(IDD_ADDIN);
    CTabbedPropertySheet sheet("Options");
    sheet.AddPage(&general);
    sheet.AddPage(&addin);
    ASSERT_TRUE(sheet.Create());
    ShowWindow(sheet, SW_SHOW);
    HWND apply = sheet.GetDlgItem(ID_APPLY_NOW);
    EXPECT_EQ(0, sheet.GetActiveIndex());
    EXPECT_FALSE(IsWindowEnabled(apply));

    // The user picks the second tab.
    QTabBar* tabs = nullptr;
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* bar = qobject_cast<QTabBar*>(widget); bar && bar->isVisible())
            tabs = bar;
    ASSERT_TRUE(tabs);
    EXPECT_EQ(2, tabs->count());
    EXPECT_EQ("Add-in", tabs->tabText(1).toStdString());
    tabs->setCurrentIndex(1);
    EXPECT_EQ(1, sheet.GetActiveIndex());
    EXPECT_TRUE(IsWindowVisible(addin));
    EXPECT_FALSE(IsWindowVisible(general));

    addin.SetModified();
    EXPECT_TRUE(IsWindowEnabled(apply));
    sheet.OnCommand(ID_APPLY_NOW, BN_CLICKED, apply);
    EXPECT_EQ(1, addin.m_applied);
    EXPECT_EQ(0, general.m_applied) << "only modified pages apply";
    EXPECT_FALSE(IsWindowEnabled(apply));

    // A page that refuses its changes keeps the sheet open on itself.
    general.SetModified();
    general.m_accept = FALSE;
    sheet.OnOK();
    EXPECT_EQ(0, sheet.GetActiveIndex());
    EXPECT_TRUE(IsWindowVisible(sheet));
    general.m_accept = TRUE;
    sheet.OnOK();
    EXPECT_EQ(2, general.m_applied);
    EXPECT_FALSE(IsWindowVisible(sheet));
}
