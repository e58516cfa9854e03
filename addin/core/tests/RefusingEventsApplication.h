#pragma once
// A client application that offers no events: everything else goes to the
// real object model, but it has no connection points, so an add-in cannot
// subscribe to ApplicationEvents.

#include "OutlookApplication.h"

#include "com/DispatchImpl.h"
#include "com/UnknownImpl.h"

class RefusingEventsApplication
    : public pollenta::com::CUnknownImpl<RefusingEventsApplication,
                                         pollenta::com::CDispatchImpl<RefusingEventsApplication, _Application>> {
public:
    explicit RefusingEventsApplication(_Application* inner) : m_inner(inner) {}

    static std::span<const pollenta::com::DispatchMember<RefusingEventsApplication>> DispatchMembers() { return {}; }

    STDMETHODIMP get_Session(IDispatch** nameSpace) override { return m_inner->get_Session(nameSpace); }
    STDMETHODIMP get_Version(BSTR* version) override { return m_inner->get_Version(version); }
    STDMETHODIMP GetNamespace(BSTR type, _NameSpace** nameSpace) override
    {
        return m_inner->GetNamespace(type, nameSpace);
    }
    STDMETHODIMP get_Explorers(_Explorers** explorers) override { return m_inner->get_Explorers(explorers); }
    STDMETHODIMP get_Inspectors(_Inspectors** inspectors) override { return m_inner->get_Inspectors(inspectors); }
    STDMETHODIMP ActiveExplorer(_Explorer** explorer) override { return m_inner->ActiveExplorer(explorer); }
    STDMETHODIMP CreateItem(LONG type, IDispatch** item) override { return m_inner->CreateItem(type, item); }

private:
    CComPtr<_Application> m_inner;
};
