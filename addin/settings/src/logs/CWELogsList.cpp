#include "logs/CWELogsList.h"

#include "logs/ReadLogDate.h"
#include "resources/SettingsTexts.h"

#include "log/LogFileName.h"
#include "resources/KestrinResources.h"

#include "com/ComVariant.h"
#include "com/OleDate.h"
#include "ui/CommonNotify.h"
#include "win/CodePage.h"
#include "win/File.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr char kInvalidDate[] = "Invalid DateTime";

int CompareDates(const CWELogItem& a, const CWELogItem& b)
{
    // An invalid date equals no valid one; it sorts before them.
    if (a.m_bDateValid != b.m_bDateValid)
        return a.m_bDateValid ? 1 : -1;
    if (!a.m_bDateValid || a.m_date == b.m_date)
        return 0;
    return a.m_date < b.m_date ? -1 : 1;
}

int CompareNames(const CWELogItem& a, const CWELogItem& b)
{
    return std::clamp(std::strcmp(a.m_strName.c_str(), b.m_strName.c_str()), -1, 1);
}

} // namespace

std::string CWELogsList::FormatDate(const CWELogItem& item)
{
    if (!item.m_bDateValid)
        return kInvalidDate;
    CComVariant value;
    value.vt = VT_DATE;
    value.date = std::floor(item.m_date);
    if (FAILED(value.ChangeType(VT_BSTR)))
        return kInvalidDate;
    return ToNarrow(value.bstrVal ? std::u16string_view(value.bstrVal) : std::u16string_view());
}

void CWELogsList::Fill()
{
    InsertColumn(kNameColumn, SettingsString(IDS_LOG_FILE_NAME).c_str());
    InsertColumn(kDateColumn, SettingsString(IDS_LOG_CREATED).c_str());
    SetEmptyText(SettingsString(IDS_LOG_LIST_EMPTY).c_str());
    if (m_pSettings && !m_pSettings->m_strLogFolderPath.empty()) {
        WIN32_FIND_DATA found{};
        std::string pattern = m_pSettings->m_strLogFolderPath + "/*.log";
        HANDLE find = FindFirstFile(pattern.c_str(), &found);
        for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFile(find, &found))
            if (found.cFileName[0] != '.' && !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                IsLogFileName(found.cFileName))
                AddFile(found.cFileName, found.ftCreationTime);
        if (find != INVALID_HANDLE_VALUE)
            FindClose(find);
    }
    m_nSortColumn = kDateColumn;
    m_bDescending = true;
    Sort();
    SetColumnWidth(kNameColumn, LVSCW_AUTOSIZE_USEHEADER);
    SetColumnWidth(kDateColumn, LVSCW_AUTOSIZE_USEHEADER);
}

void CWELogsList::AddFile(const std::string& name, const FILETIME& creationTime)
{
    auto item = std::make_unique<CWELogItem>();
    item->m_strName = name;
    item->m_strPath = m_pSettings->m_strLogFolderPath + "/" + name;
    if (!ReadLogDate(item->m_strPath, creationTime, *item))
        return;
    int row = InsertItem(GetItemCount(), name.c_str());
    SetItemText(row, kDateColumn, FormatDate(*item).c_str());
    SetItemData(row, reinterpret_cast<DWORD_PTR>(item.get()));
    m_items.push_back(std::move(item));
}

const CWELogItem* CWELogsList::GetLogItem(int row) const
{
    return row >= 0 && row < GetItemCount() ? reinterpret_cast<const CWELogItem*>(GetItemData(row)) : nullptr;
}

void CWELogsList::RemoveRow(int row)
{
    const CWELogItem* item = GetLogItem(row);
    if (!item)
        return;
    DeleteItem(row);
    std::erase_if(m_items, [item](const std::unique_ptr<CWELogItem>& owned) { return owned.get() == item; });
}

void CWELogsList::SortBy(int column)
{
    if (column == m_nSortColumn) {
        m_bDescending = !m_bDescending;
    } else {
        m_nSortColumn = column;
        m_bDescending = true;
    }
    Sort();
}

void CWELogsList::Sort()
{
    SortItems(&CWELogsList::Compare, reinterpret_cast<DWORD_PTR>(this));
}

int CWELogsList::Compare(LPARAM data1, LPARAM data2, LPARAM list)
{
    const auto& a = *reinterpret_cast<const CWELogItem*>(data1);
    const auto& b = *reinterpret_cast<const CWELogItem*>(data2);
    const auto* self = reinterpret_cast<const CWELogsList*>(list);
    int result = self->m_nSortColumn == kNameColumn ? CompareNames(a, b) : CompareDates(a, b);
    if (result == 0)
        result = self->m_nSortColumn == kNameColumn ? CompareDates(a, b) : CompareNames(a, b);
    return self->m_bDescending ? -result : result;
}

BOOL CWELogsList::OnChildNotify(const NMHDR* header, LRESULT*)
{
    if (header->code != LVN_COLUMNCLICK)
        return FALSE;
    SortBy(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
    return TRUE;
}

void CWELogsList::OnDestroy() { m_items.clear(); }
