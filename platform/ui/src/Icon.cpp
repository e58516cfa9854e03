#include "IconObject.h"

#include "Application.h"
#include "Dispatch.h"
#include "ui/Window.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QStyle>
#include <QWidget>

#include <cstring>
#include <map>

const LPCICONNAME IDI_APPLICATION = "IDI_APPLICATION";
const LPCICONNAME IDI_ERROR = "IDI_ERROR";
const LPCICONNAME IDI_WARNING = "IDI_WARNING";
const LPCICONNAME IDI_INFORMATION = "IDI_INFORMATION";
const LPCICONNAME IDI_QUESTION = "IDI_QUESTION";

namespace {

constexpr int kIconSize = 32;

bool StandardPixmapOf(LPCICONNAME name, QStyle::StandardPixmap& pixmap)
{
    static const std::pair<LPCICONNAME, QStyle::StandardPixmap> names[] = {
        {IDI_APPLICATION, QStyle::SP_DesktopIcon},       {IDI_ERROR, QStyle::SP_MessageBoxCritical},
        {IDI_WARNING, QStyle::SP_MessageBoxWarning},     {IDI_INFORMATION, QStyle::SP_MessageBoxInformation},
        {IDI_QUESTION, QStyle::SP_MessageBoxQuestion},
    };
    for (const auto& [known, standard] : names) {
        if (name == known || (name && std::strcmp(name, known) == 0)) {
            pixmap = standard;
            return true;
        }
    }
    return false;
}

}  // namespace

HICON LoadIcon(HINSTANCE module, LPCICONNAME name)
{
    QStyle::StandardPixmap pixmap;
    if (module || !StandardPixmapOf(name, pixmap))
        return nullptr;
    QApplication* application = EnsureApplication();
    if (!application)
        return nullptr;
    static std::map<QStyle::StandardPixmap, HICON__> shared;
    auto found = shared.find(pixmap);
    if (found == shared.end())
        found = shared.emplace(pixmap, HICON__{application->style()->standardIcon(pixmap), true}).first;
    return &found->second;
}

HICON CreateIconFromImageData(const BYTE* data, UINT size)
{
    if (!EnsureApplication())
        return nullptr;
    QPixmap pixmap;
    if (!data || !pixmap.loadFromData(data, size))
        return nullptr;
    return new HICON__{QIcon(pixmap), false};
}

BOOL DestroyIcon(HICON icon)
{
    if (!icon)
        return FALSE;
    if (!icon->shared)
        delete icon;
    return TRUE;
}

int GetIconWidth(HICON icon, int size)
{
    return icon ? icon->icon.pixmap(size, size).width() : 0;
}

HICON SetStaticIcon(HWND control, HICON icon)
{
    HICON previous = GetStaticIcon(control);
    if (!SetProp(control, kStaticIconProp, icon))
        return nullptr;
    // An icon control is a label showing the icon at the system's icon size.
    WindowRecord* record = FindRecord(control);
    if (auto* label = record ? qobject_cast<QLabel*>(record->widget.data()) : nullptr)
        label->setPixmap(icon ? icon->icon.pixmap(kIconSize, kIconSize) : QPixmap());
    return previous;
}

HICON GetStaticIcon(HWND control)
{
    return static_cast<HICON>(GetProp(control, kStaticIconProp));
}
