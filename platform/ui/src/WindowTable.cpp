#include "WindowTable.h"

WindowTable& WindowTable::Instance()
{
    static WindowTable table;
    return table;
}

HWND WindowTable::Add(std::unique_ptr<WindowRecord> record)
{
    std::uintptr_t key = m_next++;
    record->handle = reinterpret_cast<HWND>(key);
    HWND handle = record->handle;
    m_records[key] = std::move(record);
    return handle;
}

WindowRecord* WindowTable::Find(HWND hwnd) const
{
    auto it = m_records.find(reinterpret_cast<std::uintptr_t>(hwnd));
    return it == m_records.end() ? nullptr : it->second.get();
}

WindowRecord* WindowTable::FindByWidget(const QWidget* widget) const
{
    for (const auto& [key, record] : m_records)
        if (record->widget == widget)
            return record.get();
    return nullptr;
}

std::vector<WindowRecord*> WindowTable::Children(HWND parent) const
{
    std::vector<WindowRecord*> children;
    for (const auto& [key, record] : m_records)
        if (record->parent == parent && parent)
            children.push_back(record.get());
    return children;
}

void WindowTable::Remove(HWND hwnd) { m_records.erase(reinterpret_cast<std::uintptr_t>(hwnd)); }
