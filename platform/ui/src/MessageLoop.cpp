#include "Application.h"
#include "Dispatch.h"
#include "ui/MessageLoop.h"

#include <QApplication>
#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>

#include <atomic>

namespace {

std::atomic<bool> g_quitRequested{false};

// Waits are woken at least this often, so that a condition set without an
// event (by a callback or another object) is seen.
constexpr int kWakeMilliseconds = 50;

}  // namespace

void PostQuitMessage(int exitCode)
{
    g_quitRequested = true;
}

bool IsQuitRequested()
{
    return g_quitRequested;
}

void ClearQuitRequest()
{
    g_quitRequested = false;
}

BOOL RunMessageLoopUntil(const std::function<bool()>& done)
{
    EnsureApplication();
    while (!done()) {
        if (g_quitRequested)
            return FALSE;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, kWakeMilliseconds);
    }
    return TRUE;
}

void PostCallback(std::function<void()> callback)
{
    // A process that runs a Qt application without widgets gets no widget
    // application of ours, but its own one carries the callback as well.
    EnsureApplication();
    QMetaObject::invokeMethod(QCoreApplication::instance(), [callback = std::move(callback)] { callback(); }, Qt::QueuedConnection);
}
