#pragma once
// The command bars of one window: its menu bar first, then its toolbars,
// laid out with the client's built-in controls (their ids are the client's,
// which add-ins look for).

#include "CCommandBar.h"

#include <vector>

namespace pollenta::outlook {

class CCommandBars
    : public pollenta::com::CUnknownImpl<CCommandBars, pollenta::com::CDispatchImpl<CCommandBars, _CommandBars>> {
public:
    enum class Window { Explorer, Inspector };
    explicit CCommandBars(Window window);

    static std::span<const pollenta::com::DispatchMember<CCommandBars>> DispatchMembers();

    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP get_Item(VARIANT index, CommandBar** bar) override;
    STDMETHODIMP get_ActiveMenuBar(CommandBar** bar) override;

    const std::vector<CComPtr<CCommandBar>>& Bars() const { return m_bars; }

private:
    CCommandBar* AddBar(const std::string& name);

    std::vector<CComPtr<CCommandBar>> m_bars;
};

}  // namespace pollenta::outlook
