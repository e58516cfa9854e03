#include "menu/CWEExplorerMenuList.h"

#include "com/ComVariant.h"

#include <algorithm>

HRESULT CWEExplorerMenuList::Create(_Application* application, IWEOLMenuSink* menuSink)
{
    if (m_bAdvised)
        return E_UNEXPECTED;
    m_spApplication = application;
    m_spMenuSink = menuSink;
    CComPtr<_Explorers> explorers;
    if (!application || FAILED(application->get_Explorers(&explorers)) || !explorers)
        return E_FAIL;
    LONG count = 0;
    if (FAILED(explorers->get_Count(&count)))
        count = 0;
    for (LONG i = 1; i <= count; ++i) {
        CComPtr<_Explorer> explorer;
        if (SUCCEEDED(explorers->Item(CComVariant(i), &explorer)) && explorer)
            AddMenu(explorer, true);
    }
    HRESULT hr = m_newExplorerSink.Advise(explorers, IID_ExplorersEvents,
                                          [this](DISPID id, pollenta::com::DispatchCall& call) -> HRESULT {
                                              if (id != DISPID_ExplorersEvents_NewExplorer)
                                                  return S_OK;
                                              CComVariant explorer;
                                              if (SUCCEEDED(call.Arg(0, VT_DISPATCH, &explorer)))
                                                  AddMenu(CComQIPtr<_Explorer>(explorer.pdispVal), false);
                                              return S_OK;
                                          });
    if (FAILED(hr))
        return hr;
    m_bAdvised = TRUE;
    return S_OK;
}

void CWEExplorerMenuList::AddMenu(_Explorer* explorer, bool buildNow)
{
    if (!explorer)
        return;
    std::erase_if(m_menus, [](const auto& menu) { return !menu->GetExplorer(); });
    m_menus.push_back(std::make_unique<CWEExplorerMenu>(explorer, m_spMenuSink));
    if (buildNow)
        m_menus.back()->Build();
}

HRESULT CWEExplorerMenuList::Remove(LONG removeMode)
{
    if (!m_bAdvised)
        return E_FAIL;
    m_newExplorerSink.Unadvise();
    for (auto& menu : m_menus)
        if (menu->GetExplorer())
            menu->Unhook(removeMode);
    m_menus.clear();
    m_spMenuSink = nullptr;
    m_spApplication.Release();
    m_bAdvised = FALSE;
    return S_OK;
}
