#pragma once
// The add-in's menu in every explorer: those open at start-up get theirs at
// once, each new one on its first Activate.

#include "menu/CWEExplorerMenu.h"

#include "OutlookApplication.h"

#include <memory>
#include <vector>

class CWEExplorerMenuList {
public:
    // E_FAIL without the explorers collection; E_UNEXPECTED when created already.
    HRESULT Create(_Application* application, IWEOLMenuSink* menuSink);
    // E_FAIL when not created; mode 1 deletes the popups, 0 leaves them.
    HRESULT Remove(LONG removeMode);
    std::size_t GetCount() const { return m_menus.size(); }

private:
    void AddMenu(_Explorer* explorer, bool buildNow);

    CWEEventSink m_newExplorerSink;
    CComPtr<_Application> m_spApplication;
    IWEOLMenuSink* m_spMenuSink = nullptr;  // the add-in, which owns this menu
    std::vector<std::unique_ptr<CWEExplorerMenu>> m_menus;
    BOOL m_bAdvised = FALSE;
};
