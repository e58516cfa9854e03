#pragma once
// Every UI test runs headless, with its own registry folder and with the
// boxes and choosers answered by the test.

#include "testsupport/TempFolder.h"
#include "testsupport/TempRegistry.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/Window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

class UiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
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
    }

    pollenta::testsupport::TempFolder m_folder{"pollenta-ui"};
    pollenta::testsupport::TempRegistry m_registry{m_folder.Path()};
    std::string m_dir = m_folder.Path().string();
    std::vector<MessageBoxRequest> m_boxes;
    int m_boxAnswer = IDOK;
};
