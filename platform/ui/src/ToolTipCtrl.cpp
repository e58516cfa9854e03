#include "Convert.h"
#include "Dispatch.h"
#include "ui/ToolTipCtrl.h"

BOOL CToolTipCtrl::Create(HWND parent)
{
    if (!FindRecord(parent))
        return FALSE;
    m_hParent = parent;
    return TRUE;
}

BOOL CToolTipCtrl::AddTool(HWND tool, LPCSTR text, LPCRECT, UINT_PTR id)
{
    if (!m_hParent || !FindRecord(tool))
        return FALSE;
    m_tools.push_back(Tool{tool, id, text ? text : ""});
    Show(m_tools.back());
    return TRUE;
}

void CToolTipCtrl::UpdateTipText(LPCSTR text, HWND tool, UINT_PTR id)
{
    for (Tool& entry : m_tools)
        if (entry.window == tool && entry.id == id) {
            entry.text = text ? text : "";
            Show(entry);
        }
}

std::string CToolTipCtrl::GetText(HWND tool, UINT_PTR id) const
{
    for (const Tool& entry : m_tools)
        if (entry.window == tool && entry.id == id)
            return entry.text;
    return {};
}

void CToolTipCtrl::Show(const Tool& tool) const
{
    if (WindowRecord* record = FindRecord(tool.window); record && record->widget)
        record->widget->setToolTip(ToQString(tool.text));
}
