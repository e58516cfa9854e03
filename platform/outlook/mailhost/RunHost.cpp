#include "RunHost.h"

#include "CAddInLoader.h"
#include "CMailPoller.h"

#include "outlookwindows/HostWindows.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <csignal>
#include <memory>
#include <cstdio>

namespace mailhost {

namespace {

sigset_t StopSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

}  // namespace

void BlockStopSignals()
{
    const sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

void RunHost(pollenta::outlook::OutlookHost& host, bool withWindows, const std::string& profile)
{
    // The windows follow the object model from its first explorer on.
    std::unique_ptr<pollenta::outlook::HostWindows> windows;
    if (withWindows)
        windows = std::make_unique<pollenta::outlook::HostWindows>(host);
    CComPtr<_Explorer> explorer;
    host.OpenExplorer(&explorer);
    CAddInLoader addIns;
    addIns.ConnectAll(host.Application());
    for (const std::string& name : addIns.Connected())
        std::printf("add-in %s connected\n", name.c_str());
    // Fetched mail comes in once the add-ins listen.
    auto poller = std::make_unique<CMailPoller>(profile);
    std::printf("mailhost: running %s; SIGINT or SIGTERM stops it\n", windows ? "with windows" : "headless");
    std::fflush(stdout);

    const sigset_t signals = StopSignals();
    if (windows) {
        const int stopFd = signalfd(-1, &signals, SFD_CLOEXEC);
        windows->Run(stopFd);
        if (stopFd >= 0)
            close(stopFd);
        std::printf("mailhost: stopping\n");
    } else {
        int received = 0;
        while (sigwait(&signals, &received) != 0) {
        }
        std::printf("mailhost: stopping on signal %d\n", received);
    }
    poller.reset();
    addIns.BeginShutdown();
    explorer.Release();
    host.CloseWindows();
    const std::vector<std::string> connected = addIns.Connected();
    addIns.DisconnectAll();
    for (auto name = connected.rbegin(); name != connected.rend(); ++name)
        std::printf("add-in %s disconnected\n", name->c_str());
    std::fflush(stdout);
}

}  // namespace mailhost
