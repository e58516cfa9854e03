#include "UiTestEnvironment.h"
#include "ui/Gdi.h"
#include "ui/HtmlHelp.h"
#include "win/Shell.h"

#include <fstream>

TEST_F(UiTest, ClipRegionsCombineLikeTheDesktops)
{
    HDC dc = GetDC(nullptr);
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(dc, clip), 0);

    HRGN whole = CreateRectRgn(0, 0, 100, 100);
    HRGN hole = CreateRectRgn(10, 10, 30, 30);
    ExtSelectClipRgn(dc, whole, RGN_COPY);
    EXPECT_EQ(ExtSelectClipRgn(dc, hole, RGN_DIFF), COMPLEXREGION);
    ASSERT_EQ(GetClipRgn(dc, clip), 1);
    EXPECT_FALSE(PtInRegion(clip, 15, 15));
    EXPECT_TRUE(PtInRegion(clip, 50, 50));
    HRGN inner = CreateRectRgn(12, 12, 14, 14);
    ExtSelectClipRgn(dc, inner, RGN_OR);
    GetClipRgn(dc, clip);
    EXPECT_TRUE(PtInRegion(clip, 13, 13));
    EXPECT_FALSE(PtInRegion(clip, 20, 20));

    HRGN moved = CreateRectRgn(0, 0, 4, 4);
    OffsetRgn(moved, 10, 20);
    RECT box{};
    EXPECT_EQ(GetRgnBox(moved, &box), SIMPLEREGION);
    EXPECT_EQ(box, (RECT{10, 20, 14, 24}));
    for (HRGN region : {clip, whole, hole, inner, moved})
        DeleteObject(region);
    ReleaseDC(nullptr, dc);
}

TEST_F(UiTest, FontsKeepTheirDescription)
{
    LOGFONT logFont{};
    logFont.lfHeight = -11;
    logFont.lfWeight = 400;
    logFont.lfUnderline = 1;
    HFONT font = CreateFontIndirect(&logFont);
    LOGFONT back{};
    EXPECT_EQ(GetObject(font, sizeof(back), &back), static_cast<int>(sizeof(LOGFONT)));
    EXPECT_EQ(back.lfUnderline, 1);
    EXPECT_EQ(GetObject(font, 4, &back), 0);

    HDC dc = GetDC(nullptr);
    SelectObject(dc, font);
    SIZE shortText{}, longText{};
    ASSERT_TRUE(GetTextExtentPoint32(dc, "Help", 4, &shortText));
    ASSERT_TRUE(GetTextExtentPoint32(dc, "Help and support", 16, &longText));
    EXPECT_GT(shortText.cx, 0);
    EXPECT_GT(longText.cx, shortText.cx);
    EXPECT_EQ(longText.cy, shortText.cy);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
}

TEST_F(UiTest, HelpOpensTheTopicsPageThroughTheShell)
{
    std::vector<ShellLaunch> launches;
    ShellLaunchHook previous = SetShellLaunchHook([&](const ShellLaunch& launch) {
        launches.push_back(launch);
        return ERROR_SUCCESS;
    });
    std::string help = m_dir + "/Pollenta.chm";
    std::filesystem::create_directories(help);
    std::ofstream(help + "/5.html") << "<html><body>Wizard</body></html>";

    EXPECT_EQ(HtmlHelp(nullptr, help.c_str(), HH_HELP_CONTEXT, 7), nullptr); // no such topic
    EXPECT_TRUE(launches.empty());
    HtmlHelp(nullptr, help.c_str(), HH_HELP_CONTEXT, 5);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].verb, "open");
    EXPECT_EQ(launches[0].file, help + "/5.html");
    SetShellLaunchHook(previous);
}
