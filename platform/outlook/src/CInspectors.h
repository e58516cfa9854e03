#pragma once
// The open inspectors. Add tells the InspectorsEvents sinks of the new
// window (NewInspector) and then the item's sinks that it opened.

#include "CInspector.h"

#include <vector>

namespace pollenta::outlook {

class CInspectors
    : public pollenta::com::CUnknownImpl<CInspectors, pollenta::com::CDispatchImpl<CInspectors, _Inspectors>,
                                         pollenta::com::CConnectionPointContainerImpl> {
public:
    explicit CInspectors(ContextPtr context);
    ~CInspectors() override;

    static std::span<const pollenta::com::DispatchMember<CInspectors>> DispatchMembers();

    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP Item(VARIANT index, _Inspector** inspector) override;
    STDMETHODIMP Add(IDispatch* item, _Inspector** inspector) override;

    // The inspector showing `item`: S_OK, or S_FALSE when none does.
    HRESULT FindFor(IUnknown* item, _Inspector** inspector);
    // Closes the inspectors that show `item`; false when none did.
    bool CloseFor(IUnknown* item);
    // Tells the inspector's sinks that it closed and drops it.
    void Remove(CInspector* inspector);
    void CloseAll();
    const std::vector<CComPtr<CInspector>>& Windows() const { return m_inspectors; }

private:
    ContextPtr m_context;
    std::vector<CComPtr<CInspector>> m_inspectors;
    pollenta::com::CConnectionPointImpl m_events;
};

}  // namespace pollenta::outlook
