#pragma once
// What every window test asks of a window a person reads: no text cut, and
// its picture in the build's screenshots folder, named by window and
// language ("rollback-de"), for a person to look at.

#include "ui/Screenshot.h"
#include "ui/TextFit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

inline std::filesystem::path ScreenshotFolder(const std::string& component)
{
    std::filesystem::path folder = std::filesystem::path(POLLENTA_TEST_DIR).parent_path() / "screenshots" / component;
    std::filesystem::create_directories(folder);
    return folder;
}

inline void ExpectReadable(HWND window, const std::string& component, const std::string& name)
{
    const std::filesystem::path picture = ScreenshotFolder(component) / (name + ".png");
    EXPECT_TRUE(SaveWindowPicture(window, picture.c_str())) << picture;
    const std::vector<CutText> cuts = FindCutTexts(window);
    EXPECT_TRUE(cuts.empty()) << name << " cuts:\n" << DescribeCutTexts(cuts);
}
