#include "menu/CWEExplorerMenu.h"

#include "connect/WEConnect.h"
#include "menu/AddAddInPopup.h"
#include "menu/AddCommandBarButton.h"
#include "menu/CWEClipboardSaver.h"
#include "menu/PasteButtonFace.h"
#include "resources/FaceBitmaps.h"
#include "resources/KestrinResources.h"

#include "com/ComBstr.h"
#include "com/ComVariant.h"

namespace {

constexpr LONG kToolsMenu = 30007;

struct MenuEntry {
    UINT caption;
    UINT face;
    bool beginGroup;
    LONG command;
};

// In the order they are made; the last stands first in the stored order.
constexpr MenuEntry kEntries[] = {
    {IDS_CREATE_SURVEY, IDB_CREATE_SURVEY, false, 1},
    {IDS_VIEW_LOGS, IDB_VIEW_LOGS, false, 6},
    {IDS_HELP, IDB_HELP, true, 2},
    {IDS_HOME_PAGE_CAPTION, IDB_HOME_PAGE, true, 3},
    {IDS_ABOUT, 0, true, 5},
};

}  // namespace

CWEExplorerMenu::CWEExplorerMenu(_Explorer* explorer, IWEOLMenuSink* menuSink)
    : m_spExplorer(explorer), m_spMenuSink(menuSink)
{
    HRESULT hr = m_explorerSinks[0].Advise(explorer, IID_ExplorerEvents,
                                           [this](DISPID id, pollenta::com::DispatchCall&) -> HRESULT {
                                               if (id == DISPID_ExplorerEvents_Activate)
                                                   Build();
                                               return S_OK;
                                           });
    if (SUCCEEDED(hr))
        m_explorerSinks[1].Advise(explorer, IID_ExplorerEvents, [this](DISPID id, pollenta::com::DispatchCall&) {
            if (id == DISPID_ExplorerEvents_Close)
                Unhook(0);
            return S_OK;
        });
}

HRESULT CWEExplorerMenu::Build()
{
    if (m_bBuilt)
        return S_OK;
    CComPtr<_CommandBars> bars;
    CComPtr<CommandBar> menuBar;
    if (FAILED(m_spExplorer->get_CommandBars(&bars)) || !bars || FAILED(bars->get_ActiveMenuBar(&menuBar)) || !menuBar)
        return E_FAIL;
    if (HRESULT hr = AddAddInPopup(menuBar, kToolsMenu, m_spPopup); FAILED(hr))
        return hr;
    m_spPopup->put_Caption(CComBSTR(KestrinString(IDS_PRODUCT_CAPTION)));
    CComPtr<CommandBarControls> controls;
    if (HRESULT hr = m_spPopup->get_Controls(&controls); FAILED(hr) || !controls)
        return FAILED(hr) ? hr : E_FAIL;
    if (HRESULT hr = BuildButtons(controls); FAILED(hr))
        return hr;
    m_bBuilt = TRUE;
    return S_OK;
}

HRESULT CWEExplorerMenu::BuildButtons(CommandBarControls* controls)
{
    CWEClipboardSaver saver;
    const bool faces = saver.Save();
    for (std::size_t i = 0; i < std::size(kEntries); ++i) {
        const MenuEntry& entry = kEntries[i];
        const std::string caption = KestrinString(entry.caption);
        CComPtr<_CommandBarButton>& button = m_buttons[std::size(kEntries) - 1 - i];
        if (FAILED(AddCommandBarButton(controls, {caption, caption, entry.beginGroup}, button)))
            continue;
        if (entry.face && g_pAddin)
            faces ? PasteButtonFace(button, entry.face, g_pAddin->m_Log) : LogFaceSkipped(g_pAddin->m_Log);
        const LONG command = entry.command;
        m_clickSinks[i].Advise(button, IID__CommandBarButtonEvents,
                               [this, command](DISPID id, pollenta::com::DispatchCall&) -> HRESULT {
                                   if (id == DISPID_CommandBarButtonEvents_Click && m_spMenuSink)
                                       m_spMenuSink->OnClickButon(wemitStatic, command);
                                   return S_OK;
                               });
    }
    if (faces)
        saver.Restore();
    return S_OK;
}

void CWEExplorerMenu::Unhook(LONG removeMode)
{
    if (!m_bBuilt)
        return;
    for (CWEEventSink& sink : m_explorerSinks)
        sink.Unadvise();
    for (CWEEventSink& sink : m_clickSinks)
        sink.Unadvise();
    for (auto& button : m_buttons)
        button.Release();
    if (removeMode == 1 && m_spPopup)
        m_spPopup->Delete(LeftOutArgument());
    m_spPopup.Release();
    m_spExplorer.Release();
    m_spMenuSink = nullptr;
    m_bBuilt = FALSE;
}
