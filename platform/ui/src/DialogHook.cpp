#include "ui/DialogHook.h"

#include <utility>

namespace {

DialogShownHook& Hook()
{
    static DialogShownHook hook;
    return hook;
}

}  // namespace

DialogShownHook SetDialogShownHook(DialogShownHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}

bool HasDialogShownHook() { return static_cast<bool>(Hook()); }

void NotifyDialogShown(CDialog& dialog)
{
    // A copy, so that the hook may replace itself while it runs.
    DialogShownHook hook = Hook();
    if (hook)
        hook(dialog);
}
