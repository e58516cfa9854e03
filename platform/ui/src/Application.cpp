#include "Dispatch.h"

#include <QApplication>

QApplication* EnsureApplication()
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return app;
    // Qt keeps argc by reference for the application's whole life.
    static int argc = 1;
    static char name[] = "pollenta";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return app;
}
