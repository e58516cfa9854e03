#include "inspector/CWEInspectorHookList.h"

#include "connect/WEConnect.h"

#include "com/ComVariant.h"

HRESULT CWEInspectorHookList::Create(_Application* application)
{
    if (m_bAdvised)
        return E_UNEXPECTED;
    m_spApplication = application;
    CComPtr<_Inspectors> inspectors;
    if (!application || FAILED(application->get_Inspectors(&inspectors)) || !inspectors)
        return E_FAIL;
    HRESULT hr = m_newInspectorSink.Advise(inspectors, IID_InspectorsEvents,
                                           [this](DISPID id, pollenta::com::DispatchCall& call) -> HRESULT {
                                               if (id != DISPID_InspectorsEvents_NewInspector)
                                                   return S_OK;
                                               CComVariant inspector;
                                               if (FAILED(call.Arg(0, VT_DISPATCH, &inspector)))
                                                   return S_OK;
                                               return OnNewInspector(CComQIPtr<_Inspector>(inspector.pdispVal));
                                           });
    if (FAILED(hr))
        return hr;
    m_bAdvised = TRUE;
    return S_OK;
}

HRESULT CWEInspectorHookList::OnNewInspector(_Inspector* inspector)
{
    std::erase_if(m_hooks, [](const auto& hook) { return !hook->GetInspector(); });
    if (!g_pAddin || g_pAddin->m_lCurrentProjectId == 0 || !inspector)
        return S_OK;
    CComPtr<IDispatch> item;
    if (FAILED(inspector->get_CurrentItem(&item)) || !CComQIPtr<_MailItem>(item.p))
        return E_FAIL;
    m_hooks.push_back(std::make_unique<CWEInspectorHook>(inspector, g_pAddin->m_lCurrentProjectId));
    g_pAddin->m_lCurrentProjectId = 0;
    return S_OK;
}

HRESULT CWEInspectorHookList::Remove(LONG removeMode)
{
    if (!m_bAdvised)
        return E_FAIL;
    m_newInspectorSink.Unadvise();
    for (auto& hook : m_hooks)
        if (hook->GetInspector())
            hook->Unhook(removeMode);
    m_hooks.clear();
    m_spApplication.Release();
    m_bAdvised = FALSE;
    return S_OK;
}
