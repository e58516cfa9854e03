#pragma once
// A thread or process: signalled for good once it has ended, with the exit
// code it ended with.

#include "KernelObject.h"

class FinishingObject : public KernelObject {
public:
    bool IsSignalled() const override { return m_finished; }

    // Called with Lock() held.
    void Finish(DWORD exitCode)
    {
        m_exitCode = exitCode;
        m_finished = true;
    }
    DWORD ExitCode() const { return m_finished ? m_exitCode : 259; }

private:
    bool m_finished = false;
    DWORD m_exitCode = 0;
};
