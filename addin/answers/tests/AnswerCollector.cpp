// answers_collector FOLDER: runs the inbox processor on the answer world in
// FOLDER until SIGTERM, as the add-in runs it inside the mail client; tests
// start it as a child process and may kill it at any moment.

#include "AnswerWorld.h"

#include "processor/CWEInboxProcessor.h"

#include <csignal>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: answers_collector FOLDER\n");
        return 2;
    }
    // Blocked before any thread starts, so that only sigwait takes them.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);
    try {
        AnswerWorld world(argv[1]);
        world.Open();
        CWEInboxProcessor processor;
        if (FAILED(processor.Start(world.Snapshot(), world.Log(), world.Session()))) {
            std::fprintf(stderr, "answers_collector: the processor did not start\n");
            return 1;
        }
        std::printf("started\n");
        std::fflush(stdout);
        int signal = 0;
        sigwait(&stop, &signal);
        processor.Stop();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "answers_collector: %s\n", error.what());
        return 1;
    }
    return 0;
}
