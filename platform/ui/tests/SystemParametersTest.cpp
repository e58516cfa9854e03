#include "UiTestEnvironment.h"
#include "ui/DeviceCaps.h"
#include "ui/SystemParameters.h"

#include <cstring>

TEST_F(UiTest, TheMessageFontIsTheDesktopsDialogFontAndMakesATitleFont)
{
    NONCLIENTMETRICS metrics;
    std::memset(metrics.lfMessageFont.lfFaceName, 'Q', sizeof(metrics.lfMessageFont.lfFaceName));
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    EXPECT_NE(0, metrics.lfMessageFont.lfHeight);
    EXPECT_NE('Q', metrics.lfMessageFont.lfFaceName[0]);
    EXPECT_NE(nullptr, std::memchr(metrics.lfMessageFont.lfFaceName, '\0', LF_FACESIZE));

    // The way the welcome page makes its 12-point bold title.
    LOGFONT title = metrics.lfMessageFont;
    title.lfWeight = 700;
    std::strcpy(title.lfFaceName, "Verdana Bold");
    title.lfHeight = -(GetDeviceCaps(nullptr, LOGPIXELSY) * 12 / 72);
    HFONT font = CreateFontIndirect(&title);
    ASSERT_NE(nullptr, font);
    LOGFONT back{};
    ASSERT_TRUE(GetObject(font, sizeof(back), &back));
    EXPECT_EQ(700, back.lfWeight);
    EXPECT_STREQ("Verdana Bold", back.lfFaceName);
    EXPECT_EQ(title.lfHeight, back.lfHeight);
    DeleteObject(font);
}

TEST_F(UiTest, SystemParametersRefuseUnknownRequestsAndWrongSizes)
{
    NONCLIENTMETRICS metrics;
    metrics.cbSize = sizeof(metrics) - 4;
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0));
    metrics.cbSize = sizeof(metrics);
    EXPECT_FALSE(SystemParametersInfo(0x0030, 0, &metrics, 0));
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, nullptr, 0));
    EXPECT_EQ(96, GetDeviceCaps(nullptr, LOGPIXELSX)); // offscreen
    EXPECT_EQ(0, GetDeviceCaps(nullptr, 12345));
}
