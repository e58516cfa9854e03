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
    QCoreApplication* app = EnsureApplication();
    QMetaObject::invokeMethod(app, [callback = std::move(callback)] { callback(); }, Qt::QueuedConnection);
}
