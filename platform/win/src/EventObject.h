#pragma once

#include "KernelObject.h"

class EventObject : public KernelObject {
public:
    EventObject(bool manualReset, bool signalled) : m_manualReset(manualReset), m_signalled(signalled) {}

    bool IsSignalled() const override { return m_signalled; }
    void Take() override
    {
        if (!m_manualReset)
            m_signalled = false;
    }
    // Called with Lock() held.
    void Signal(bool on) { m_signalled = on; }

private:
    const bool m_manualReset;
    bool m_signalled;
};
