#pragma once
// The command bars of one window: its menu bar first, then its toolbars,
// laid out with the client's built-in controls (their ids are the client's,
// which add-ins look for). Every change to a control of its bars is told to
// its _CommandBarsEvents sinks as OnUpdate, so that the window's menus and
// toolbars follow their bars.

#include "CCommandBar.h"

#include "com/ConnectionPointImpl.h"

#include <vector>

namespace pollenta::outlook {

class CCommandBars
    : public pollenta::com::CUnknownImpl<CCommandBars, pollenta::com::CDispatchImpl<CCommandBars, _CommandBars>,
                                         pollenta::com::CConnectionPointContainerImpl>,
      public CControlsWatcher {
public:
    enum class Window { Explorer, Inspector };
    explicit CCommandBars(Window window);
    ~CCommandBars() override;

    static std::span<const pollenta::com::DispatchMember<CCommandBars>> DispatchMembers();

    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP get_Item(VARIANT index, CommandBar** bar) override;
    STDMETHODIMP get_ActiveMenuBar(CommandBar** bar) override;

    const std::vector<CComPtr<CCommandBar>>& Bars() const { return m_bars; }
    void ControlsChanged() override;

private:
    CCommandBar* AddBar(const std::string& name);

    std::vector<CComPtr<CCommandBar>> m_bars;
    pollenta::com::CConnectionPointImpl m_updatePoint;
};

}  // namespace pollenta::outlook
