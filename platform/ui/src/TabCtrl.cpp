#include "Convert.h"
#include "Dispatch.h"
#include "ui/TabCtrl.h"

#include <QSignalBlocker>
#include <QTabBar>

namespace {

QTabBar* TabsOf(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    return record ? qobject_cast<QTabBar*>(record->widget.data()) : nullptr;
}

} // namespace

int CTabCtrl::InsertItem(int index, LPCSTR text)
{
    QTabBar* tabs = TabsOf(m_hWnd);
    if (!tabs || index < 0)
        return -1;
    const QSignalBlocker quiet(tabs);
    return tabs->insertTab(std::min(index, tabs->count()), ToQString(text));
}

int CTabCtrl::GetItemCount() const
{
    QTabBar* tabs = TabsOf(m_hWnd);
    return tabs ? tabs->count() : 0;
}

int CTabCtrl::GetCurSel() const
{
    QTabBar* tabs = TabsOf(m_hWnd);
    return tabs ? tabs->currentIndex() : -1;
}

int CTabCtrl::SetCurSel(int index)
{
    QTabBar* tabs = TabsOf(m_hWnd);
    if (!tabs || index < 0 || index >= tabs->count())
        return -1;
    int previous = tabs->currentIndex();
    const QSignalBlocker quiet(tabs);
    tabs->setCurrentIndex(index);
    return previous;
}
