#pragma once
// A progress bar. Attach it to a dialog's "msctls_progress32" control.

#include "ui/Wnd.h"

class CProgressCtrl : public CWnd {
public:
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    // Each answers the previous position; positions stay inside the range.
    int SetPos(int position);
    int GetPos() const;
    int OffsetPos(int delta);
    int SetStep(int step);
    // Wraps to the lower end when the step passes the upper one.
    int StepIt();

private:
    int m_nStep = 10;
};
