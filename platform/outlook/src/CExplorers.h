#pragma once
// The open explorers. Add tells the ExplorersEvents sinks of the new window
// (NewExplorer).

#include "CExplorer.h"

#include <vector>

namespace pollenta::outlook {

class CExplorers : public pollenta::com::CUnknownImpl<CExplorers, pollenta::com::CDispatchImpl<CExplorers, _Explorers>,
                                                      pollenta::com::CConnectionPointContainerImpl> {
public:
    explicit CExplorers(ContextPtr context);
    ~CExplorers() override;

    static std::span<const pollenta::com::DispatchMember<CExplorers>> DispatchMembers();

    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP Item(VARIANT index, _Explorer** explorer) override;
    STDMETHODIMP Add(VARIANT folder, LONG displayMode, _Explorer** explorer) override;

    void Remove(CExplorer* explorer);
    void CloseAll();
    const std::vector<CComPtr<CExplorer>>& Windows() const { return m_explorers; }

private:
    ContextPtr m_context;
    std::vector<CComPtr<CExplorer>> m_explorers;
    pollenta::com::CConnectionPointImpl m_events;
};

}  // namespace pollenta::outlook
