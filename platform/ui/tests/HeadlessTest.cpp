// Boxes, dialogs and choosers where nobody can answer them: each runs in a
// child process whose environment has no display, or an offscreen platform
// and no hook, and must end at once with its default answer.

#include "CapturedRun.h"
#include "ui/Messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kProbe = POLLENTA_TEST_DIR "/ui_headless_probe";
const std::vector<std::string> kDisplayVariables = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};

struct HeadlessCase {
    const char* name;
    std::vector<std::string> environment; // on top of one with no display variables
    std::vector<std::string> arguments;
    int answer;
    std::string notice; // expected on stderr
};

std::string Number(UINT type) { return std::to_string(type); }

} // namespace

TEST(Headless, EveryWindowEndsAtOnceWithItsDefaultAndSaysSoOnStderr)
{
    const std::string box = "Registration error: The key is missing.\n";
    const std::vector<HeadlessCase> cases = {
        {"no display", {}, {"box", Number(MB_OK | MB_ICONERROR), "Registration error", "The key is missing."}, IDOK, box},
        {"second button", {}, {"box", Number(MB_YESNO | MB_DEFBUTTON2), "Registration error", "The key is missing."}, IDNO, box},
        {"third button", {}, {"box", Number(MB_YESNOCANCEL | MB_DEFBUTTON3), "Registration error", "The key is missing."},
         IDCANCEL, box},
        {"retry", {}, {"box", Number(MB_ABORTRETRYIGNORE | MB_DEFBUTTON2), "Registration error", "The key is missing."},
         IDRETRY, box},
        {"offscreen without hook", {"QT_QPA_PLATFORM=offscreen"},
         {"box", Number(MB_OKCANCEL), "Registration error", "The key is missing."}, IDOK, box},
        {"minimal without hook", {"QT_QPA_PLATFORM=minimal"},
         {"box", Number(MB_YESNO), "Registration error", "The key is missing."}, IDYES, box},
        {"X11 asked for, none there", {"QT_QPA_PLATFORM=xcb"},
         {"box", Number(MB_OK), "Registration error", "The key is missing."}, IDOK, box},
        {"display that is gone", {"DISPLAY=:4711"},
         {"box", Number(MB_OK), "Registration error", "The key is missing."}, IDOK, box},
        {"no widgets possible", {}, {"--core-application", "box", Number(MB_OKCANCEL | MB_DEFBUTTON2), "Registration error",
                                     "The key is missing."}, IDCANCEL, box},
        {"modal dialog", {}, {"dialog", "Choose folder"}, IDCANCEL,
         "Choose folder: no display to show the dialog on; cancelled\n"},
        {"modal dialog, gone display", {"DISPLAY=:4711"}, {"dialog", "Choose folder"}, IDCANCEL,
         "Choose folder: no display to show the dialog on; cancelled\n"},
        {"modal dialog offscreen without hook", {"QT_QPA_PLATFORM=offscreen"}, {"dialog", "Choose folder"}, IDCANCEL,
         "Choose folder: no display to show the dialog on; cancelled\n"},
        {"modal dialog, no widgets", {}, {"--core-application", "dialog", "Choose folder"}, IDCANCEL,
         "Choose folder: no display to show the dialog on; cancelled\n"},
        {"modeless dialog, unseen", {}, {"modeless", "Preparing messages"}, TRUE, ""},
        {"modeless dialog, no widgets", {}, {"--core-application", "modeless", "Preparing messages"}, FALSE, ""},
        {"file chooser", {}, {"open", "Open answers"}, FALSE, "Open answers: no display to choose on; cancelled\n"},
        {"folder chooser offscreen", {"QT_QPA_PLATFORM=offscreen"}, {"folder", ""}, FALSE,
         "Browse For Folder: no display to choose on; cancelled\n"},
    };
    for (const HeadlessCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> arguments = {kProbe};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        CapturedRun run(arguments, CapturedRun::Environment(kDisplayVariables, c.environment), std::chrono::seconds(30));
        ASSERT_FALSE(run.TimedOut()) << "waited for a user";
        EXPECT_EQ(0, run.ExitCode()) << run.Err();
        EXPECT_EQ(std::to_string(c.answer) + "\n", run.Out());
        EXPECT_NE(std::string::npos, run.Err().find(c.notice)) << run.Err();
    }
}

TEST(Headless, TheNoticeIsUtf8WhateverTheAnsiCodePage)
{
    // "Ошибка" and "Ключ не найден." as code page 1251 writes them.
    CapturedRun run({kProbe, "--code-page", "1251", "box", Number(MB_OK), "\xCE\xF8\xE8\xE1\xEA\xE0",
                     "\xCA\xEB\xFE\xF7 \xED\xE5 \xED\xE0\xE9\xE4\xE5\xED."},
                    CapturedRun::Environment(kDisplayVariables, {}), std::chrono::seconds(30));
    ASSERT_FALSE(run.TimedOut());
    EXPECT_EQ("1\n", run.Out());
    EXPECT_NE(std::string::npos, run.Err().find("Ошибка: Ключ не найден.\n")) << run.Err();
}
