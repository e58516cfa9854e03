#pragma once
// The mail client's Options dialog around the add-in's page, as a window
// that tests make the page in.

#include "ui/DialogTemplate.h"
#include "ui/Styles.h"

inline DialogTemplate OptionsDialogTemplate()
{
    DialogTemplate dialog;
    dialog.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    dialog.cx = 273;
    dialog.cy = 224;
    dialog.caption = "Options";
    dialog.fontName = "Tahoma";
    return dialog;
}
