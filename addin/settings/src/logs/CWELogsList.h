#pragma once
// The list of log files in the log folder with the day each was started,
// sorted by a click on a column (a second click turns the order round).
// The list owns its rows' records.

#include "logs/CWELogItem.h"

#include "settings/CWESettings.h"

#include "ui/ListCtrl.h"

#include <memory>
#include <vector>

class CWELogsList : public CListCtrl {
public:
    static constexpr int kNoColumn = -1;
    static constexpr int kNameColumn = 0;
    static constexpr int kDateColumn = 1;

    void SetSettings(const CWESettings* settings) { m_pSettings = settings; }
    // Columns and rows, newest first.
    void Fill();
    // Null for a row that does not exist.
    const CWELogItem* GetLogItem(int row) const;
    void RemoveRow(int row);
    // A click on `column`.
    void SortBy(int column);
    int GetSortColumn() const { return m_nSortColumn; }
    bool IsDescending() const { return m_bDescending; }

    static std::string FormatDate(const CWELogItem& item);

    BOOL OnChildNotify(const NMHDR* header, LRESULT* result) override;
    void OnDestroy() override;

private:
    void AddFile(const std::string& name, const FILETIME& creationTime);
    void Sort();
    static int Compare(LPARAM data1, LPARAM data2, LPARAM list);

    const CWESettings* m_pSettings = nullptr;
    std::vector<std::unique_ptr<CWELogItem>> m_items;
    int m_nSortColumn = kNoColumn;
    bool m_bDescending = true;
};
