#pragma once
// Hooks the inspector that opens on the survey message the add-in just
// built (while WEConnect::m_lCurrentProjectId is set); other inspectors are
// left alone.

#include "inspector/CWEInspectorHook.h"

#include "OutlookApplication.h"

#include <memory>
#include <vector>

class CWEInspectorHookList {
public:
    // E_FAIL without the inspectors collection; E_UNEXPECTED when created already.
    HRESULT Create(_Application* application);
    // E_FAIL when not created.
    HRESULT Remove(LONG removeMode);
    HRESULT OnNewInspector(_Inspector* inspector);

private:
    CWEEventSink m_newInspectorSink;
    CComPtr<_Application> m_spApplication;
    std::vector<std::unique_ptr<CWEInspectorHook>> m_hooks;
    BOOL m_bAdvised = FALSE;
};
