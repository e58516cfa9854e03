#include "Convert.h"
#include "Dispatch.h"
#include "ui/ToolTipCtrl.h"

#include <QFontMetrics>
#include <QToolTip>

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

void CToolTipCtrl::Activate(BOOL active)
{
    m_bActive = active;
    for (const Tool& tool : m_tools)
        Show(tool);
}

int CToolTipCtrl::SetMaxTipWidth(int width)
{
    int previous = m_nMaxWidth;
    m_nMaxWidth = width;
    for (const Tool& tool : m_tools)
        Show(tool);
    return previous;
}

void CToolTipCtrl::Show(const Tool& tool) const
{
    WindowRecord* record = FindRecord(tool.window);
    if (!record || !record->widget)
        return;
    if (!m_bActive || tool.text.empty()) {
        record->widget->setToolTip(QString());
        return;
    }
    QString text = ToQString(tool.text);
    // Rich text is what Qt wraps; a table cell holds a long tip to the width.
    if (m_nMaxWidth >= 0 && QFontMetrics(QToolTip::font()).horizontalAdvance(text) > m_nMaxWidth)
        text = QString("<table><tr><td width=\"%1\">%2</td></tr></table>").arg(m_nMaxWidth).arg(text.toHtmlEscaped());
    record->widget->setToolTip(text);
}
