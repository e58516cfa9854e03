#include "ItemViewSignals.h"
#include "StateIconDelegate.h"
#include "TreeItems.h"
#include "ui/CommonNotify.h"

#include <QHeaderView>

using namespace tree_items;

namespace {

void NotifyExpansion(HWND hwnd, QTreeWidgetItem* item, UINT code, UINT action)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record)
        return;
    NMTREEVIEW note{{hwnd, static_cast<UINT_PTR>(record->id), code},
                    action,
                    {ToHandle(item), static_cast<LPARAM>(item->data(0, kDataRole).toULongLong())}};
    SendNotifyHeader(*record, &note.hdr);
}

// Qt tells of an expansion only once it is done; the receivers hear both
// notifications then, the first one while the item is still unchanged for
// them (its children not loaded yet).
void ReportExpansion(HWND hwnd, QTreeWidgetItem* item, UINT action)
{
    NotifyExpansion(hwnd, item, TVN_ITEMEXPANDING, action);
    if (ItemOf(TreeOf(hwnd), ToHandle(item)))
        NotifyExpansion(hwnd, item, TVN_ITEMEXPANDED, action);
}

} // namespace

void ConnectListSignals(QTreeWidget* view, HWND hwnd)
{
    view->header()->setSectionsClickable(true);
    QObject::connect(view->header(), &QHeaderView::sectionClicked, [hwnd](int column) {
        WindowRecord* record = FindRecord(hwnd);
        if (!record)
            return;
        NMLISTVIEW note{{hwnd, static_cast<UINT_PTR>(record->id), LVN_COLUMNCLICK}, -1, column};
        SendNotifyHeader(*record, &note.hdr);
    });
}

void ConnectTreeSignals(QTreeWidget* view, HWND hwnd, bool checkBoxes)
{
    QObject::connect(view, &QTreeWidget::itemExpanded, [hwnd](QTreeWidgetItem* item) { ReportExpansion(hwnd, item, TVE_EXPAND); });
    QObject::connect(view, &QTreeWidget::itemCollapsed,
                     [hwnd](QTreeWidgetItem* item) { ReportExpansion(hwnd, item, TVE_COLLAPSE); });
    if (checkBoxes)
        view->setItemDelegate(new StateIconDelegate(view, hwnd));
}
