#pragma once
// The add-in's popup at the end of one explorer's Tools menu: built on the
// explorer's first Activate (or at once for explorers open at start-up),
// its commands calling the menu sink's OnClickButon, unhooked when the
// explorer closes.

#include "menu/CWEEventSink.h"

#include "IWEConnect.h"
#include "OutlookExplorers.h"

#include <array>

class CWEExplorerMenu {
public:
    CWEExplorerMenu(_Explorer* explorer, IWEOLMenuSink* menuSink);
    CWEExplorerMenu(const CWEExplorerMenu&) = delete;
    CWEExplorerMenu& operator=(const CWEExplorerMenu&) = delete;

    // S_OK, or E_FAIL (and nothing marked built) when a step failed.
    HRESULT Build();
    // Mode 1 deletes the popup from the explorer; 0 leaves it to the client.
    void Unhook(LONG removeMode);
    _Explorer* GetExplorer() const { return m_spExplorer; }

private:
    HRESULT BuildButtons(CommandBarControls* controls);

    std::array<CWEEventSink, 2> m_explorerSinks;
    std::array<CWEEventSink, 5> m_clickSinks;
    CComPtr<_Explorer> m_spExplorer;
    IWEOLMenuSink* m_spMenuSink = nullptr;  // the add-in, which owns this menu
    BOOL m_bBuilt = FALSE;
    std::array<CComPtr<_CommandBarButton>, 5> m_buttons;
    CComPtr<CommandBarPopup> m_spPopup;
};
