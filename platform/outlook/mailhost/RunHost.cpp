#include "RunHost.h"

#include "CAddInLoader.h"

#include <csignal>
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

int RunHeadless(pollenta::outlook::OutlookHost& host)
{
    CComPtr<_Explorer> explorer;
    host.OpenExplorer(&explorer);
    CAddInLoader addIns;
    addIns.ConnectAll(host.Application());
    for (const std::string& name : addIns.Connected()) std::printf("add-in %s connected\n", name.c_str());
    std::printf("mailhost: running; SIGINT or SIGTERM stops it\n");
    std::fflush(stdout);

    const sigset_t signals = StopSignals();
    int received = 0;
    while (sigwait(&signals, &received) != 0) {
    }
    std::printf("mailhost: stopping on signal %d\n", received);
    addIns.BeginShutdown();
    explorer.Release();
    host.CloseWindows();
    const std::vector<std::string> connected = addIns.Connected();
    addIns.DisconnectAll();
    for (auto name = connected.rbegin(); name != connected.rend(); ++name)
        std::printf("add-in %s disconnected\n", name->c_str());
    std::fflush(stdout);
    return received;
}

}  // namespace mailhost
