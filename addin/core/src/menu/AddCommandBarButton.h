#pragma once
// One temporary button of the add-in in a bar's or popup's controls, with
// caption, tooltip, a fresh tag of its own (no two buttons share one) and
// its group and enabled state.

#include "OfficeCommandBars.h"

#include "com/ComPtr.h"

#include <string>

struct CommandBarButtonSpec {
    std::string caption;
    std::string tooltip;
    bool beginGroup = false;
    bool enabled = true;
    LONG style = msoButtonIconAndCaption;
};

// S_OK with the button, or the failing call's HRESULT.
HRESULT AddCommandBarButton(CommandBarControls* controls, const CommandBarButtonSpec& spec,
                            CComPtr<_CommandBarButton>& button);
