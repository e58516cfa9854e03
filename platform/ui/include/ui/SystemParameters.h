#pragma once
// The user's desktop settings that dialogs read: the fonts of captions,
// menus and message boxes.

#include "ui/Types.h"

inline constexpr UINT SPI_GETNONCLIENTMETRICS = 0x0029;

struct NONCLIENTMETRICS {
    UINT cbSize = sizeof(NONCLIENTMETRICS);
    int iBorderWidth = 1;
    int iScrollWidth = 0;
    int iScrollHeight = 0;
    int iCaptionWidth = 0;
    int iCaptionHeight = 0;
    LOGFONT lfCaptionFont{};
    int iSmCaptionWidth = 0;
    int iSmCaptionHeight = 0;
    LOGFONT lfSmCaptionFont{};
    int iMenuWidth = 0;
    int iMenuHeight = 0;
    LOGFONT lfMenuFont{};
    LOGFONT lfStatusFont{};
    LOGFONT lfMessageFont{};
};

// Only SPI_GETNONCLIENTMETRICS is known: `param` points to a structure
// whose cbSize the caller has set. Every font is the desktop's dialog font.
BOOL SystemParametersInfo(UINT action, UINT size, void* param, UINT winIni);
