#pragma once
// Windows that nobody watches: message boxes, choosers and launches are
// answered and recorded by the test, and pictures of the windows go to the
// build folder.

#include "ui/DialogHook.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/Screenshot.h"
#include "ui/TextFit.h"
#include "ui/Window.h"
#include "win/Shell.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

class AnsweredWindows {
public:
    void StartAnswering()
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        SetMessageBoxHook([this](const MessageBoxRequest& request) {
            m_boxes.push_back(request);
            return m_boxAnswer;
        });
        SetShellLaunchHook([this](const ShellLaunch& launch) {
            m_launches.push_back(launch);
            return static_cast<DWORD>(ERROR_SUCCESS);
        });
        // The test answers the modal dialogs it opens, from their loop.
        SetDialogShownHook([](CDialog&) {});
    }

    void StopAnswering()
    {
        SetMessageBoxHook({});
        SetChooserHook({});
        SetShellLaunchHook({});
        SetDialogShownHook({});
        PumpWaitingMessages();
    }

    // The add-in's windows speak English only; the picture's name says so.
    // Every picture is also a look at the texts: none may be cut.
    static void SavePicture(HWND hwnd, const std::string& name)
    {
        std::filesystem::path folder = std::filesystem::path(POLLENTA_TEST_DIR).parent_path() / "screenshots" / "addin";
        std::filesystem::create_directories(folder);
        EXPECT_TRUE(SaveWindowPicture(hwnd, (folder / (name + "-en.png")).c_str())) << name;
        const std::vector<CutText> cuts = FindCutTexts(hwnd);
        EXPECT_TRUE(cuts.empty()) << name << " cuts:\n" << DescribeCutTexts(cuts);
    }

    std::vector<MessageBoxRequest> m_boxes;
    std::vector<ShellLaunch> m_launches;
    int m_boxAnswer = IDOK;
};
