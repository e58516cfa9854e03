// The wizard program where nobody can answer it: offscreen with no test
// hooks it must end by itself, as it does with no display at all.

#include "CapturedRun.h"

#include "testsupport/TempFolder.h"

#include <gtest/gtest.h>

TEST(PlandrelRun, OffscreenWithoutHooksTheWizardSaysSoAndEndsAsWithNoDisplay)
{
    pollenta::testsupport::TempFolder folder("pollenta-plandrel-run");
    const std::vector<std::string> display = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    const std::string registry = "POLLENTA_REGISTRY=" + folder.Path().string();
    for (const std::vector<std::string>& environment :
         {std::vector<std::string>{registry, "QT_QPA_PLATFORM=offscreen"}, std::vector<std::string>{registry}}) {
        SCOPED_TRACE(environment.size() == 2 ? "offscreen" : "no display");
        CapturedRun run({PLANDREL_PATH}, CapturedRun::Environment(display, environment), std::chrono::seconds(60));
        ASSERT_FALSE(run.TimedOut()) << "waited for a user";
        EXPECT_EQ(0, run.ExitCode()) << run.Err();
        EXPECT_NE(std::string::npos, run.Err().find("NewProject: no display to show the dialog on; cancelled"))
            << run.Err();
    }
}
