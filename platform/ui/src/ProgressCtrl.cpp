#include "Dispatch.h"
#include "ui/ProgressCtrl.h"

#include <QProgressBar>

namespace {

QProgressBar* BarOf(HWND hwnd)
{
    WindowRecord* record = FindRecord(hwnd);
    return record ? qobject_cast<QProgressBar*>(record->widget.data()) : nullptr;
}

} // namespace

void CProgressCtrl::SetRange32(int lower, int upper)
{
    if (QProgressBar* bar = BarOf(m_hWnd))
        bar->setRange(lower, std::max(lower, upper));
}

void CProgressCtrl::GetRange(int& lower, int& upper) const
{
    QProgressBar* bar = BarOf(m_hWnd);
    lower = bar ? bar->minimum() : 0;
    upper = bar ? bar->maximum() : 0;
}

int CProgressCtrl::SetPos(int position)
{
    QProgressBar* bar = BarOf(m_hWnd);
    if (!bar)
        return 0;
    int previous = bar->value() < bar->minimum() ? bar->minimum() : bar->value();
    bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
    return previous;
}

int CProgressCtrl::GetPos() const
{
    QProgressBar* bar = BarOf(m_hWnd);
    return bar ? std::max(bar->value(), bar->minimum()) : 0;
}

int CProgressCtrl::OffsetPos(int delta) { return SetPos(GetPos() + delta); }

int CProgressCtrl::SetStep(int step)
{
    int previous = m_nStep;
    m_nStep = step;
    return previous;
}

int CProgressCtrl::StepIt()
{
    QProgressBar* bar = BarOf(m_hWnd);
    if (!bar)
        return 0;
    int next = GetPos() + m_nStep;
    if (next > bar->maximum())
        next = bar->minimum() + (next - bar->maximum());
    int previous = GetPos();
    bar->setValue(std::clamp(next, bar->minimum(), bar->maximum()));
    return previous;
}
