#pragma once
// Every window of the process by handle. Handles are small numbers that are
// never used twice, so a stale handle finds nothing.

#include "WindowRecord.h"

#include <map>
#include <memory>
#include <vector>

class WindowTable {
public:
    static WindowTable& Instance();

    HWND Add(std::unique_ptr<WindowRecord> record);
    WindowRecord* Find(HWND hwnd) const;
    WindowRecord* FindByWidget(const QWidget* widget) const;
    // The children in creation order.
    std::vector<WindowRecord*> Children(HWND parent) const;
    void Remove(HWND hwnd);

private:
    std::map<std::uintptr_t, std::unique_ptr<WindowRecord>> m_records;
    std::uintptr_t m_next = 0x100;
};
