// Registration where the desktop database is missing and nobody can see the
// box that says so: regsvr runs as a child process on a server-like
// environment and must fail with its error code, the box told on stderr.

#include "CapturedRun.h"
#include "ProjectlibTestFolder.h"

#include <gtest/gtest.h>

namespace {

constexpr int kRegistrationFailed = 5; // regsvr: the entry point failed
const std::vector<std::string> kDisplayVariables = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

} // namespace

TEST(HeadlessRegistration, FailsWithItsCodeAndTellsTheBoxOnStderr)
{
    struct Case {
        const char* name;
        std::vector<std::string> environment;
    };
    const Case cases[] = {
        {"no display at all", {}},
        {"offscreen platform, no hook", {"QT_QPA_PLATFORM=offscreen"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectlibTestFolder folder; // an empty registry: no desktop database key
        std::vector<std::string> environment = c.environment;
        environment.push_back("POLLENTA_REGISTRY=" + folder.Registry().string());
        CapturedRun run({POLLENTA_BIN_DIR "/regsvr", POLLENTA_BIN_DIR "/Gastrel.so"},
                        CapturedRun::Environment(kDisplayVariables, environment), std::chrono::seconds(30));
        ASSERT_FALSE(run.TimedOut()) << "waited for a user";
        EXPECT_EQ(kRegistrationFailed, run.ExitCode()) << run.Err();
        EXPECT_NE(std::string::npos,
                  run.Err().find("Registration error of Pollenta Wizard for Access: Microsoft Access 2000/XP/2003 "
                                 "registry section not found."))
            << run.Err();
    }
}
