#include "GdiObjects.h"
#include "ui/Gdi.h"
#include "ui/Messages.h"
#include "ui/Window.h"
#include "ui/SystemParameters.h"

BOOL SystemParametersInfo(UINT action, UINT, void* param, UINT)
{
    auto* metrics = static_cast<NONCLIENTMETRICS*>(param);
    if (action != SPI_GETNONCLIENTMETRICS || !metrics || metrics->cbSize != sizeof(NONCLIENTMETRICS))
        return FALSE;
    LOGFONT font{};
    if (!GetObject(DefaultGuiFont(), sizeof(font), &font))
        return FALSE;
    metrics->iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    metrics->iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
    for (LOGFONT* slot : {&metrics->lfCaptionFont, &metrics->lfSmCaptionFont, &metrics->lfMenuFont,
                          &metrics->lfStatusFont, &metrics->lfMessageFont})
        *slot = font;
    return TRUE;
}
