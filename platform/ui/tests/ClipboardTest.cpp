// The clipboard: one opener at a time, formats with their bytes and names,
// and what other programs see through Qt's clipboard.

#include "UiTestEnvironment.h"

#include "ui/Clipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>

namespace {

std::vector<BYTE> Bytes(const std::string& text)
{
    return std::vector<BYTE>(text.begin(), text.end());
}

// A 1 x 1 .bmp file of one red pixel.
std::vector<BYTE> RedPixelBmp()
{
    std::vector<BYTE> bmp = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1,
                             0,   24,  0,  0, 0, 0, 0, 4, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (BYTE b : {0x00, 0x00, 0xFF, 0x00})
        bmp.push_back(b);
    return bmp;
}

}  // namespace

TEST_F(UiTest, TheClipboardHasOneOpenerAndOnlyItChangesIt)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_TRUE(SetClipboardBytes(CF_TEXT, Bytes("one")));
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_FALSE(SetClipboardBytes(CF_TEXT, Bytes("two")));

    SetClipboardHeldElsewhere(true);
    EXPECT_FALSE(OpenClipboard(nullptr));
    SetClipboardHeldElsewhere(false);
    ASSERT_TRUE(OpenClipboard(nullptr));
    std::vector<BYTE> text;
    EXPECT_TRUE(GetClipboardBytes(CF_TEXT, text));
    EXPECT_EQ(Bytes("one"), text);
    CloseClipboard();
}

TEST_F(UiTest, RegisteredFormatsKeepTheirNamesAndNumbers)
{
    const UINT html = RegisterClipboardFormat("text/html");
    EXPECT_GE(html, 0xC000u);
    EXPECT_EQ(html, RegisterClipboardFormat("text/html"));
    EXPECT_EQ(0u, RegisterClipboardFormat(""));
    char name[8] = {};
    EXPECT_EQ(7, GetClipboardFormatName(html, name, sizeof name));
    EXPECT_STREQ("text/ht", name);
    EXPECT_EQ(0, GetClipboardFormatName(CF_TEXT, name, sizeof name));
}

TEST_F(UiTest, OtherProgramsSeeTextAndPicturesThroughQtsClipboardAndTheirsComeBack)
{
    // The process keeps the application, as the dialog layer does.
    static int argc = 1;
    static char arg[] = "ui_tests";
    static char* argv[] = {arg, nullptr};
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardBytes(CF_BITMAP, RedPixelBmp());
    CloseClipboard();
    const QImage image = qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(QColor(Qt::red), image.pixelColor(0, 0));

    QGuiApplication::clipboard()->setText("from elsewhere");
    ASSERT_TRUE(OpenClipboard(nullptr));
    std::vector<BYTE> text;
    EXPECT_TRUE(GetClipboardBytes(CF_TEXT, text));
    EXPECT_EQ(Bytes("from elsewhere"), text);
    EXPECT_EQ(0u, EnumClipboardFormats(EnumClipboardFormats(0)));
    CloseClipboard();
}
