#include "Application.h"
#include "ui/DeviceCaps.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

int GetDeviceCaps(HDC, int index)
{
    if (index != LOGPIXELSX && index != LOGPIXELSY)
        return 0;
    QScreen* screen = EnsureApplication() ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen)
        return 96;
    double dpi = index == LOGPIXELSX ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return static_cast<int>(std::lround(dpi));
}
