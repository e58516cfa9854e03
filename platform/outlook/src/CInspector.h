#pragma once
// A window on one item, with its own command bars. Close tells the
// InspectorEvents sinks, then the item's ItemEvents sinks, and leaves the
// collection.

#include "CCommandBars.h"
#include "OutlookContext.h"
#include "OutlookInspectors.h"

#include "com/ConnectionPointImpl.h"

namespace pollenta::outlook {

class CInspector : public pollenta::com::CUnknownImpl<CInspector, pollenta::com::CDispatchImpl<CInspector, _Inspector>,
                                                      pollenta::com::CConnectionPointContainerImpl> {
public:
    CInspector(ContextPtr context, IDispatch* item);

    static std::span<const pollenta::com::DispatchMember<CInspector>> DispatchMembers();

    STDMETHODIMP get_CommandBars(_CommandBars** bars) override;
    STDMETHODIMP get_CurrentItem(IDispatch** item) override;
    STDMETHODIMP get_Caption(BSTR* caption) override;
    STDMETHODIMP get_EditorType(LONG* editor) override;
    STDMETHODIMP IsWordMail(VARIANT_BOOL* isWord) override;
    STDMETHODIMP Activate() override;
    STDMETHODIMP Close(LONG saveMode) override;

    IDispatch* Item() const { return m_item; }
    CCommandBars* Bars() const { return m_bars; }
    // Tells the sinks and forgets the item; the collection drops it after.
    void NotifyClosed();

private:
    ContextPtr m_context;
    CComPtr<IDispatch> m_item;
    CComPtr<CCommandBars> m_bars;
    pollenta::com::CConnectionPointImpl m_events;
    bool m_closed = false;
};

}  // namespace pollenta::outlook
