#include "FetchCommand.h"

#include "CHostLock.h"
#include "CMailPoller.h"

#include "mapi/MapiAdmin.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace mailhost {

namespace {

int Report(const std::string& answer)
{
    if (answer.rfind("0 ", 0) == 0) {
        std::printf("fetched %s\n", answer.substr(2).c_str());
        return 0;
    }
    std::fprintf(stderr, "mailhost: fetching mail failed: %s\n", answer.size() > 2 ? answer.c_str() + 2 : "");
    return 1;
}

}  // namespace

int FetchHere(const std::string& profile)
{
    std::size_t delivered = 0;
    if (FAILED(pollenta::mapi::FetchMail(profile, delivered)))
        return Report("1 " + pollenta::mapi::AdminErrorText());
    return Report("0 " + std::to_string(delivered));
}

int FetchThroughRunningHost(const std::string& profile)
{
    const std::filesystem::path folder = FetchRequestFolder(profile);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::string name = std::to_string(::getpid());
    const std::filesystem::path request = folder / (name + ".request");
    const std::filesystem::path answer = folder / (name + ".answer");
    std::filesystem::remove(answer, error);
    std::ofstream(request) << "fetch\n";
    if (!std::filesystem::exists(request))
        return Report("1 cannot write " + request.string());
    // The host answers once it has fetched, however long the mailbox takes;
    // a host that stops meanwhile leaves the request unanswered.
    while (!std::filesystem::exists(answer)) {
        if (!CHostLock::IsHeld(profile)) {
            std::filesystem::remove(request, error);
            return Report("1 the host on profile \"" + profile + "\" stopped before it answered");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::ifstream in(answer);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(answer, error);
    return Report(text);
}

}  // namespace mailhost
