#pragma once
// The client's application object: its name space, its windows and the
// ApplicationEvents it tells add-ins (OptionsPagesAdd).

#include "CExplorers.h"
#include "CInspectors.h"
#include "CNameSpace.h"
#include "OutlookContext.h"
#include "outlook/OptionsPage.h"

#include "OutlookApplication.h"

#include <vector>

namespace pollenta::outlook {

class CApplication
    : public pollenta::com::CUnknownImpl<CApplication, pollenta::com::CDispatchImpl<CApplication, _Application>,
                                         pollenta::com::CConnectionPointContainerImpl> {
public:
    explicit CApplication(ContextPtr context);
    ~CApplication() override;

    static std::span<const pollenta::com::DispatchMember<CApplication>> DispatchMembers();

    STDMETHODIMP get_Session(IDispatch** nameSpace) override;
    STDMETHODIMP get_Version(BSTR* version) override;
    STDMETHODIMP GetNamespace(BSTR type, _NameSpace** nameSpace) override;
    STDMETHODIMP get_Explorers(_Explorers** explorers) override;
    STDMETHODIMP get_Inspectors(_Inspectors** inspectors) override;
    STDMETHODIMP ActiveExplorer(_Explorer** explorer) override;
    STDMETHODIMP CreateItem(LONG itemType, IDispatch** item) override;

    HRESULT CollectOptionsPages(std::vector<OptionsPage>& pages);
    void CloseWindows();

private:
    ContextPtr m_context;
    CComPtr<CNameSpace> m_nameSpace;
    CComPtr<CExplorers> m_explorers;
    CComPtr<CInspectors> m_inspectors;
    pollenta::com::CConnectionPointImpl m_events;
};

}  // namespace pollenta::outlook
