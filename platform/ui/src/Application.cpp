#include "Application.h"

#include <QApplication>
#include <QFont>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Made offscreen because the platform that was asked for could not start.
bool g_noDisplay = false;

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsOffscreen(const std::string& platform) { return platform == "offscreen" || platform == "minimal"; }

// "xcb;offscreen:fontengine=freetype" names xcb and offscreen.
std::vector<std::string> RequestedPlatforms()
{
    std::vector<std::string> names;
    const std::string list = Environment("QT_QPA_PLATFORM");
    for (size_t start = 0; start <= list.size();) {
        size_t end = std::min(list.find(';', start), list.size());
        std::string name = list.substr(start, std::min(list.find(':', start), end) - start);
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        if (!name.empty())
            names.push_back(name);
        start = end + 1;
    }
    return names;
}

bool RequestsOffscreen(const std::vector<std::string>& names)
{
    return std::any_of(names.begin(), names.end(), IsOffscreen);
}

// The platforms Qt tries in turn, the last one always able to start.
std::string PlatformList()
{
    std::string list = Environment("QT_QPA_PLATFORM");
    if (!list.empty())
        return RequestsOffscreen(RequestedPlatforms()) ? list : list + ";offscreen";
    if (!Environment("WAYLAND_DISPLAY").empty())
        list += "wayland;";
    if (!Environment("DISPLAY").empty())
        list += "xcb;";
    return list + "offscreen";
}

std::string PlatformInUse() { return QGuiApplication::platformName().toLower().toStdString(); }

DisplayKind DisplayOfApplication()
{
    if (!IsOffscreen(PlatformInUse()))
        return DisplayKind::User;
    return g_noDisplay ? DisplayKind::None : DisplayKind::Requested;
}

} // namespace

QApplication* EnsureApplication()
{
    if (QCoreApplication* existing = QCoreApplication::instance())
        return qobject_cast<QApplication*>(existing);
    // Qt keeps argc and argv by reference for the application's whole life;
    // "-platform" takes precedence over the environment.
    static std::string platforms = PlatformList();
    static int argc = 3;
    static char name[] = "pollenta";
    static char option[] = "-platform";
    static char* argv[] = {name, option, platforms.data(), nullptr};
    static QApplication* app = new QApplication(argc, argv);
    // The faces that dialog templates name are Windows' own. They are drawn
    // with DejaVu Sans, which ./setup installs, so that a dialog's texts take
    // the same room on every machine.
    for (const char* face : {"MS Shell Dlg", "MS Shell Dlg 2", "MS Sans Serif", "Tahoma"})
        QFont::insertSubstitution(QString::fromLatin1(face), QStringLiteral("DejaVu Sans"));
    const std::vector<std::string> requested = RequestedPlatforms();
    g_noDisplay = IsOffscreen(PlatformInUse()) &&
                  std::find(requested.begin(), requested.end(), PlatformInUse()) == requested.end();
    return app;
}

DisplayKind CurrentDisplay()
{
    if (QCoreApplication* existing = QCoreApplication::instance()) {
        return qobject_cast<QApplication*>(existing) ? DisplayOfApplication() : DisplayKind::None;
    }
    const std::vector<std::string> requested = RequestedPlatforms();
    if (!requested.empty() && IsOffscreen(requested.front()))
        return DisplayKind::Requested;
    if (requested.empty() && Environment("DISPLAY").empty() && Environment("WAYLAND_DISPLAY").empty())
        return DisplayKind::None;
    return EnsureApplication() ? DisplayOfApplication() : DisplayKind::None;
}
