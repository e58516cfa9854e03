#pragma once
// What an icon handle stands for.

#include "ui/Icon.h"

#include <QIcon>

struct HICON__ {
    QIcon icon;
    bool shared; // a system icon; DestroyIcon leaves it alone
};

// The property of a static control that holds its icon.
inline constexpr const char* kStaticIconProp = "pollenta.icon";
