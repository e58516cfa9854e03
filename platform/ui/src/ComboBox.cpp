#include "Convert.h"
#include "Dispatch.h"
#include "ui/ComboBox.h"

#include <QComboBox>

namespace {

QComboBox* ComboOf(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    return record ? qobject_cast<QComboBox*>(record->widget.data()) : nullptr;
}

bool InRange(QComboBox* combo, int index) { return combo && index >= 0 && index < combo->count(); }

} // namespace

int CComboBox::AddString(LPCSTR text) { return InsertString(-1, text); }

int CComboBox::InsertString(int index, LPCSTR text)
{
    QComboBox* combo = ComboOf(m_hWnd);
    if (!combo || index > combo->count())
        return CB_ERR;
    if (index < 0)
        index = combo->count();
    // A list without a selection stays without one.
    int selected = combo->currentIndex();
    combo->insertItem(index, ToQString(text), QVariant::fromValue<qulonglong>(0));
    if (selected < 0)
        combo->setCurrentIndex(-1);
    return index;
}

int CComboBox::DeleteString(int index)
{
    QComboBox* combo = ComboOf(m_hWnd);
    if (!InRange(combo, index))
        return CB_ERR;
    combo->removeItem(index);
    return combo->count();
}

void CComboBox::ResetContent()
{
    if (QComboBox* combo = ComboOf(m_hWnd))
        combo->clear();
}

int CComboBox::GetCount() const
{
    QComboBox* combo = ComboOf(m_hWnd);
    return combo ? combo->count() : CB_ERR;
}

int CComboBox::GetCurSel() const
{
    QComboBox* combo = ComboOf(m_hWnd);
    return combo ? combo->currentIndex() : CB_ERR;
}

int CComboBox::SetCurSel(int index)
{
    QComboBox* combo = ComboOf(m_hWnd);
    if (!combo || (index != -1 && !InRange(combo, index)))
        return CB_ERR;
    combo->setCurrentIndex(index);
    return index;
}

int CComboBox::SetItemData(int index, DWORD_PTR data)
{
    QComboBox* combo = ComboOf(m_hWnd);
    if (!InRange(combo, index))
        return CB_ERR;
    combo->setItemData(index, QVariant::fromValue<qulonglong>(data));
    return 0;
}

DWORD_PTR CComboBox::GetItemData(int index) const
{
    QComboBox* combo = ComboOf(m_hWnd);
    return InRange(combo, index) ? static_cast<DWORD_PTR>(combo->itemData(index).toULongLong()) : static_cast<DWORD_PTR>(CB_ERR);
}

std::string CComboBox::GetLBText(int index) const
{
    QComboBox* combo = ComboOf(m_hWnd);
    return InRange(combo, index) ? FromQString(combo->itemText(index)) : std::string();
}
