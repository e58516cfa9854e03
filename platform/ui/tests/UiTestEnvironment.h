#pragma once
// Every UI test runs headless, with its own registry folder and with the
// boxes and choosers answered by the test.

#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/Window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

class UiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        char pattern[] = "/tmp/pollenta-ui-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        setenv("POLLENTA_REGISTRY", m_dir.c_str(), 1);
        SetMessageBoxHook([this](const MessageBoxRequest& request) {
            m_boxes.push_back(request);
            return m_boxAnswer;
        });
    }

    void TearDown() override
    {
        SetMessageBoxHook({});
        SetChooserHook({});
        PumpWaitingMessages();
        std::filesystem::remove_all(m_dir);
    }

    std::string m_dir;
    std::vector<MessageBoxRequest> m_boxes;
    int m_boxAnswer = IDOK;
};
