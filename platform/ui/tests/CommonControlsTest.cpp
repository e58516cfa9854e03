#include "UiTestEnvironment.h"
#include "ui/ComboBox.h"
#include "ui/Dialog.h"
#include "ui/ListCtrl.h"
#include "ui/ProgressCtrl.h"
#include "ui/Theme.h"
#include "ui/TreeCtrl.h"

#include <QApplication>
#include <QImage>
#include <QTreeWidget>

namespace {

constexpr int IDC_LIST = 1000;
constexpr int IDC_ACTION = 1001;
constexpr int IDC_PROGRESS = 1002;

class CReportDialog : public CDialog {
public:
    explicit CReportDialog(const DialogTemplate& dialog) : CDialog(dialog) {}
    BOOL OnInitDialog() override
    {
        m_list.Attach(GetDlgItem(IDC_LIST));
        m_action.Attach(GetDlgItem(IDC_ACTION));
        m_progress.Attach(GetDlgItem(IDC_PROGRESS));
        return TRUE;
    }
    LRESULT OnNotify(const NMHDR* header) override
    {
        m_notifications.push_back(*header);
        return 0;
    }
    CListCtrl m_list;
    CComboBox m_action;
    CProgressCtrl m_progress;
    std::vector<NMHDR> m_notifications;
};

DialogTemplate ReportTemplate()
{
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION;
    dialog.cx = 250;
    dialog.cy = 150;
    dialog.items = {
        {"SysListView32", "", IDC_LIST, WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 0, 7, 7, 236, 90},
        {"ComboBox", "", IDC_ACTION, WS_VISIBLE | CBS_DROPDOWNLIST, 0, 7, 100, 100, 60},
        {"msctls_progress32", "", IDC_PROGRESS, WS_VISIBLE, 0, 7, 120, 236, 10},
    };
    return dialog;
}

} // namespace

TEST_F(UiTest, ReportListKeepsRowsColumnsAndSelection)
{
    DialogTemplate dialog = ReportTemplate();
    CReportDialog report(dialog);
    ASSERT_TRUE(report.Create());
    CListCtrl& list = report.m_list;

    EXPECT_EQ(list.InsertColumn(0, "Project"), 0);
    EXPECT_EQ(list.InsertColumn(1, "Created", LVCFMT_RIGHT, 80), 1);
    EXPECT_EQ(list.GetColumnWidth(1), 80);
    EXPECT_EQ(list.InsertItem(0, "Spring survey"), 0);
    EXPECT_EQ(list.InsertItem(0, "Autumn survey"), 0);
    EXPECT_EQ(list.InsertItem(99, "Winter survey"), 2);
    list.SetItemText(0, 1, "2006-10-01");
    list.SetItemData(1, 0xC0FFEE);
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(1, 0), "Spring survey");
    EXPECT_EQ(list.GetItemText(0, 1), "2006-10-01");
    EXPECT_EQ(list.GetItemData(1), 0xC0FFEEu);
    EXPECT_FALSE(list.SetItemText(5, 0, "none"));

    // A column put in front moves the cells beside it.
    list.InsertColumn(0, "No.");
    EXPECT_EQ(list.GetItemText(0, 1), "Autumn survey");
    EXPECT_EQ(list.GetItemText(0, 2), "2006-10-01");

    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    report.m_notifications.clear();
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED); // single selection: the first one goes
    EXPECT_EQ(list.GetSelectedCount(), 1u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 2);
    ASSERT_FALSE(report.m_notifications.empty());
    EXPECT_EQ(report.m_notifications.back().code, LVN_ITEMCHANGED);
    EXPECT_EQ(report.m_notifications.back().idFrom, static_cast<UINT_PTR>(IDC_LIST));

    EXPECT_TRUE(list.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER));
    EXPECT_GT(list.GetColumnWidth(0), 0);
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemText(0, 1), "Spring survey");
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(UiTest, ComboListAndProgressKeepTheirState)
{
    DialogTemplate dialog = ReportTemplate();
    CReportDialog report(dialog);
    ASSERT_TRUE(report.Create());
    CComboBox& action = report.m_action;
    EXPECT_EQ(action.AddString("Leave"), 0);
    EXPECT_EQ(action.AddString("Delete"), 1);
    EXPECT_EQ(action.InsertString(1, "Move"), 1);
    EXPECT_EQ(action.GetCurSel(), CB_ERR);
    action.SetItemData(2, 7);
    EXPECT_EQ(action.SetCurSel(2), 2);
    EXPECT_EQ(action.GetLBText(action.GetCurSel()), "Delete");
    EXPECT_EQ(action.GetItemData(2), 7u);
    EXPECT_EQ(action.SetCurSel(3), CB_ERR);
    EXPECT_EQ(action.DeleteString(0), 2);
    EXPECT_EQ(action.GetCount(), 2);

    CProgressCtrl& progress = report.m_progress;
    progress.SetRange32(0, 25);
    progress.SetStep(10);
    EXPECT_EQ(progress.GetPos(), 0);
    progress.StepIt();
    progress.StepIt();
    EXPECT_EQ(progress.GetPos(), 20);
    progress.StepIt(); // past the end: round again
    EXPECT_EQ(progress.GetPos(), 5);
    EXPECT_EQ(progress.SetPos(99), 5);
    EXPECT_EQ(progress.GetPos(), 25);
}

TEST_F(UiTest, TreeKeepsItsItemsInOrderWithStateImages)
{
    DialogTemplate dialog;
    dialog.style = WS_POPUP;
    dialog.cx = 150;
    dialog.cy = 150;
    dialog.items = {{"SysTreeView32", "", 1000, WS_VISIBLE | TVS_HASLINES | TVS_CHECKBOXES, 0, 7, 7, 136, 136}};
    CDialog folders(dialog);
    ASSERT_TRUE(folders.Create());
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Attach(folders.GetDlgItem(1000)));

    HTREEITEM store = tree.InsertItem("Personal Folders");
    HTREEITEM sent = tree.InsertItem("Sent Items", store);
    HTREEITEM inbox = tree.InsertItem("Inbox", store, TVI_FIRST);
    HTREEITEM drafts = tree.InsertItem("Drafts", store, inbox);
    HTREEITEM answers = tree.InsertItem("Answers", inbox);
    EXPECT_EQ(tree.GetCount(), 5u);
    EXPECT_EQ(tree.GetRootItem(), store);
    EXPECT_EQ(tree.GetChildItem(store), inbox);
    EXPECT_EQ(tree.GetNextSiblingItem(inbox), drafts);
    EXPECT_EQ(tree.GetNextSiblingItem(drafts), sent);
    EXPECT_EQ(tree.GetNextSiblingItem(sent), nullptr);
    EXPECT_EQ(tree.GetParentItem(answers), inbox);
    EXPECT_EQ(tree.GetParentItem(store), nullptr);
    EXPECT_EQ(tree.InsertItem("Elsewhere", store, answers), nullptr); // not a child of the store

    tree.SetItemData(sent, 42);
    EXPECT_EQ(tree.GetItemData(sent), 42u);
    EXPECT_EQ(tree.GetItemText(drafts), "Drafts");

    // New items of a check-box tree start unchecked.
    EXPECT_EQ(tree.GetItemState(inbox, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1));
    tree.SetItemState(inbox, INDEXTOSTATEIMAGEMASK(3), TVIS_STATEIMAGEMASK);
    EXPECT_EQ(tree.GetItemState(inbox, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(3));
    tree.SetItemState(answers, INDEXTOSTATEIMAGEMASK(2), TVIS_STATEIMAGEMASK);
    EXPECT_EQ(tree.GetItemState(answers, TVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(2));

    tree.Expand(store, TVE_EXPAND);
    EXPECT_TRUE(tree.GetItemState(store, TVIS_EXPANDED));
    tree.SelectItem(drafts);
    EXPECT_EQ(tree.GetSelectedItem(), drafts);

    tree.DeleteItem(inbox);
    EXPECT_EQ(tree.GetCount(), 3u);
    EXPECT_EQ(tree.GetItemText(answers), ""); // gone with its parent
    EXPECT_FALSE(tree.SetItemData(answers, 1));
}

TEST_F(UiTest, APartlyCheckedBoxIsAnEmptyBoxWithASolidSquareInEveryStyle)
{
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_VISIBLE;
    dialog.cx = 150;
    dialog.cy = 60;
    dialog.items = {{"SysTreeView32", "", 1000, WS_VISIBLE | TVS_CHECKBOXES, 0, 7, 7, 136, 46}};
    CDialog folders(dialog);
    ASSERT_TRUE(folders.Create());
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Attach(folders.GetDlgItem(1000)));
    HTREEITEM store = tree.InsertItem("Personal Folders");
    QTreeWidget* view = nullptr;
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* found = qobject_cast<QTreeWidget*>(widget))
            view = found;
    ASSERT_TRUE(view);
    auto boxOf = [&](UINT image) {
        tree.SetItemState(store, INDEXTOSTATEIMAGEMASK(image), TVIS_STATEIMAGEMASK);
        QRect row = view->visualItemRect(view->topLevelItem(0));
        return view->viewport()->grab(row).toImage();
    };
    for (bool classic : {false, true}) {
        SCOPED_TRACE(classic ? "classic" : "themed");
        if (classic)
            ASSERT_EQ(S_OK, SetWindowTheme(folders.GetDlgItem(1000), u" ", u" "));
        QImage empty = boxOf(1);
        QImage partly = boxOf(3);
        ASSERT_EQ(empty.size(), partly.size());
        // What the partly checked box adds to the empty one: one colour
        // filling a rectangle, not a tick or a grayed background.
        QRect added;
        for (int y = 0; y < empty.height(); ++y)
            for (int x = 0; x < empty.width(); ++x)
                if (empty.pixel(x, y) != partly.pixel(x, y))
                    added |= QRect(x, y, 1, 1);
        ASSERT_FALSE(added.isEmpty());
        EXPECT_GE(added.width(), 3);
        EXPECT_EQ(added.width(), added.height());
        const QRgb square = partly.pixel(added.topLeft());
        int others = 0;
        for (int y = added.top(); y <= added.bottom(); ++y)
            for (int x = added.left(); x <= added.right(); ++x)
                others += partly.pixel(x, y) != square;
        EXPECT_EQ(0, others);
        EXPECT_NE(empty.pixel(added.topLeft()), square);
    }
}
