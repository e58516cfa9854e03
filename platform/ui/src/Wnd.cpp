#include "Dispatch.h"
#include "HandlerFilter.h"
#include "WindowTable.h"
#include "ui/Wnd.h"

#include <QAbstractScrollArea>

CWnd::~CWnd() { UnsubclassWindow(); }

BOOL CWnd::Attach(HWND hwnd)
{
    if (m_hWnd || !FindRecord(hwnd))
        return FALSE;
    m_hWnd = hwnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    if (!record || record->handler || m_hWnd)
        return FALSE;
    m_hWnd = hwnd;
    PreSubclassWindow();
    record = FindRecord(hwnd);
    if (!record) {
        m_hWnd = nullptr;
        return FALSE;
    }
    record->handler = this;
    if (record->widget) {
        record->widget->setMouseTracking(true);
        record->widget->installEventFilter(HandlerFilter::Instance());
        // Clicks on a list or tree land on its viewport.
        if (auto* area = qobject_cast<QAbstractScrollArea*>(record->widget))
            area->viewport()->installEventFilter(HandlerFilter::Instance());
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(int id, CWnd* parent)
{
    return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, id));
}

HWND CWnd::UnsubclassWindow()
{
    HWND hwnd = m_hWnd;
    if (WindowRecord* record = FindRecord(hwnd); record && record->handler == this)
        record->handler = nullptr;
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::OnEraseBkgnd(HDC dc)
{
    RECT client;
    if (!GetClientRect(m_hWnd, &client))
        return FALSE;
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}
