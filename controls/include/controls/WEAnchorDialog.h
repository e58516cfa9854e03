#pragma once
// A dialog that the user can resize: a sizing frame, a size grip, a minimum
// size equal to its template size, and controls that follow the dialog's
// edges by their anchors.

#include "controls/WEAnchorLayout.h"
#include "controls/WEPlacementStore.h"
#include "controls/WESizeGrip.h"
#include "controls/WESizeLimits.h"
#include "ui/Dialog.h"

#include <string>

class CWEAnchorDialog : public CDialog,
                        public CWEAnchorLayout,
                        public CWESizeGrip,
                        public CWESizeLimits,
                        public CWEPlacementStore {
public:
    CWEAnchorDialog(UINT templateId, CWnd* parent);
    // Destroys a window that is still there, saving its placement.
    ~CWEAnchorDialog() override;

    // Keeps the placement in `section` of the profile: restores it at once
    // and saves it when the window goes. Called at the end of OnInitDialog,
    // once the controls are anchored, so that they follow the restored size.
    void EnableSaveRestore(LPCSTR section, BOOL rectOnly = FALSE);

    int OnCreate() override;
    // Derived dialogs call it first.
    BOOL OnInitDialog() override;
    void OnGetMinMaxInfo(MINMAXINFO* info) override;
    void OnSize(UINT type, int cx, int cy) override;
#ifndef POLLENTA_CONTROLS_ADDIN
    BOOL OnEraseBkgnd(HDC dc) override;
#endif
    void OnDestroy() override;

    HWND GetLayoutWnd() override { return m_hWnd; }

protected:
    std::string m_strSection;
    BOOL m_bSaveOnDestroy = FALSE;
    BOOL m_bRectOnly = FALSE;
    BOOL m_bInitialised = FALSE;
};
