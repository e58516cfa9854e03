// Conversions that must keep every pixel: each source is decoded on its own
// (from its bytes, or with GraphicsMagick from a format it reads as meant)
// and compared pixel by pixel with the PNG that the conversion wrote.

#include "image/PLAnyPicDecoder.h"
#include "image/PLFilterQuantize.h"
#include "image/PLPNGEncoder.h"
#include "image/PLWinBmp.h"
#include "testsupport/TempFolder.h"

#include "FormPictures.h"
#include "TestPictures.h"

#include <Magick++.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

using form_pictures::Bytes;
using form_pictures::Put16;
using form_pictures::Put32;

struct Rgba {
    unsigned red, green, blue, alpha;  // 0 to 255; alpha 255 is opaque
};

// Every pixel of a picture, row by row from the top.
std::vector<Rgba> Pixels(const Magick::Image& image)
{
    std::vector<Rgba> pixels;
    const unsigned width = image.columns(), height = image.rows();
    const Magick::PixelPacket* p = image.getConstPixels(0, 0, width, height);
    auto eight = [](Magick::Quantum q) { return static_cast<unsigned>(q * 255.0 / MaxRGB + 0.5); };
    for (unsigned i = 0; i < width * height; ++i)
        pixels.push_back({eight(p[i].red), eight(p[i].green), eight(p[i].blue),
                          image.matte() ? 255 - eight(p[i].opacity) : 255});
    return pixels;
}

class PixelKeepingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Magick::InitializeMagick(nullptr); }

    // Writes the picture as PNG, quantised first where the page writer
    // quantises, and decodes the file again.
    Magick::Image WrittenPng(PLBmp& bmp, bool quantise)
    {
        if (quantise) {
            EXPECT_TRUE(PLFilterQuantize().ApplyInPlace(bmp).Ok());
        }
        const std::string path = (m_folder.Path() / "out.png").string();
        EXPECT_TRUE(PLPNGEncoder().MakeFileFromBmp(path, bmp).Ok());
        Magick::Image written;
        written.read(path);
        return written;
    }

    pollenta::testsupport::TempFolder m_folder{"pollenta-pixels"};
};

// A 32-bit DIB, bottom-up, as button faces keep one: BI_RGB, every pixel's
// fourth byte 0 (unused); the colour varies with the place.
Bytes Dib32(int width, int height)
{
    Bytes dib;
    for (std::uint32_t v : {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)})
        Put32(dib, v);
    Put16(dib, 1);
    Put16(dib, 32);
    for (std::uint32_t v : {0u, static_cast<std::uint32_t>(width * height * 4), 2835u, 2835u, 0u, 0u})
        Put32(dib, v);
    for (int row = height - 1; row >= 0; --row)
        for (int x = 0; x < width; ++x)
            dib.insert(dib.end(), {static_cast<std::uint8_t>(x * 16), static_cast<std::uint8_t>(row * 32), 200, 0});
    return dib;
}

TEST_F(PixelKeepingTest, A32BitBitmapWithoutBitFieldsStaysOpaqueWithEveryColour)
{
    const int width = 12, height = 7;
    const Bytes dib = Dib32(width, height);
    PLBmp bmp;
    ASSERT_TRUE(PLWinBmp::CreateFromDIB(dib.data(), dib.size(), bmp).Ok());
    const std::vector<Rgba> written = Pixels(WrittenPng(bmp, false));
    ASSERT_EQ(static_cast<size_t>(width * height), written.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
            const Rgba& pixel = written[y * width + x];
            EXPECT_EQ(255u, pixel.alpha);
            EXPECT_EQ(200u, pixel.red);
            EXPECT_EQ(static_cast<unsigned>(y * 32), pixel.green);
            EXPECT_EQ(static_cast<unsigned>(x * 16), pixel.blue);
        }
}

// A 256-pixel icon of the newer kind, its image a PNG: a ring of opaque
// black with soft edges around a flat colour, on transparent black.
Bytes RingIcon()
{
    const unsigned side = 256;
    Magick::Image image(Magick::Geometry(side, side), Magick::Color(0, 0, 0, MaxRGB));
    image.matte(true);
    image.modifyImage();
    Magick::PixelPacket* p = image.getPixels(0, 0, side, side);
    for (unsigned y = 0; y < side; ++y)
        for (unsigned x = 0; x < side; ++x) {
            const double d = std::hypot(x - 128.0, y - 128.0);
            Magick::PixelPacket& pixel = p[y * side + x];
            const double alpha = d > 110 ? 0 : d > 100 ? 1 : d > 96 ? (d - 96) / 4 : 1;
            pixel.red = d <= 96 ? MaxRGB : 0;
            pixel.green = d <= 96 ? MaxRGB * 3 / 4 : 0;
            pixel.blue = 0;
            pixel.opacity = static_cast<Magick::Quantum>(MaxRGB * (1 - alpha));
        }
    image.syncPixels();
    const PictureBytes png = Encode(image, "PNG");
    Bytes icon = {0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 0, 32, 0};
    Put32(icon, static_cast<std::uint32_t>(png.size()));
    Put32(icon, 22);
    icon.insert(icon.end(), png.begin(), png.end());
    return icon;
}

TEST_F(PixelKeepingTest, ReducingTheColoursOfAnIconChangesNoPixelsOpacity)
{
    const Bytes icon = RingIcon();
    Magick::Image source;
    source.magick("ICO");
    source.read(Magick::Blob(icon.data(), icon.size()));
    const std::vector<Rgba> before = Pixels(source);
    PLBmp bmp;
    ASSERT_TRUE(PLAnyPicDecoder().MakeBmpFromMemory(icon.data(), icon.size(), bmp).Ok());
    ASSERT_TRUE(bmp.HasAlpha());
    const std::vector<Rgba> after = Pixels(WrittenPng(bmp, true));
    ASSERT_EQ(before.size(), after.size());
    size_t changed = 0;
    for (size_t i = 0; i < before.size(); ++i)
        changed += before[i].alpha != after[i].alpha;
    EXPECT_EQ(0u, changed) << "pixels whose opacity changed";
}

// An icon of the older kind: one 32-bit bitmap of soft-edged red whose
// fourth bytes are its opacity, and a mask that hides only what is fully
// transparent. Pixel (x, y) has opacity `Alpha(x)`.
constexpr unsigned kIconSide = 32;
std::uint8_t Alpha(unsigned x) { return static_cast<std::uint8_t>(x * 8 + 7); }

Bytes SoftBitmapIcon()
{
    const unsigned maskStride = 4, imageSize = 40 + kIconSide * kIconSide * 4 + maskStride * kIconSide;
    Bytes icon = {0, 0, 1, 0, 1, 0, kIconSide, kIconSide, 0, 0, 1, 0, 32, 0};
    Put32(icon, imageSize);
    Put32(icon, 22);
    for (std::uint32_t v : {40u, kIconSide, kIconSide * 2})
        Put32(icon, v);
    Put16(icon, 1);
    Put16(icon, 32);
    for (int i = 0; i < 6; ++i)
        Put32(icon, 0);
    for (unsigned row = 0; row < kIconSide; ++row)
        for (unsigned x = 0; x < kIconSide; ++x)
            icon.insert(icon.end(), {0, 0, 255, Alpha(x)});
    icon.resize(icon.size() + maskStride * kIconSide);  // nothing masked
    return icon;
}

TEST_F(PixelKeepingTest, AnIconBitmapKeepsTheOpacityOfEachPixel)
{
    const Bytes icon = SoftBitmapIcon();
    PLBmp bmp;
    ASSERT_TRUE(PLAnyPicDecoder().MakeBmpFromMemory(icon.data(), icon.size(), bmp).Ok());
    const std::vector<Rgba> written = Pixels(WrittenPng(bmp, bmp.HasAlpha()));
    ASSERT_EQ(kIconSide * kIconSide, written.size());
    for (unsigned x = 0; x < kIconSide; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(Alpha(x), written[5 * kIconSide + x].alpha);
        EXPECT_EQ(255u, written[5 * kIconSide + x].red);
    }
}

TEST_F(PixelKeepingTest, AMetafilePictureIsDrawnAtItsScreenSizeWithTheColoursOfItsBitmap)
{
    const int width = 40, height = 20;
    const Bytes dib = form_pictures::Dib24(width, height, 30, 120, 220);
    const Bytes wrapped = form_pictures::WrappedWmfWithBitmap(dib, width, height);
    PLBmp bmp;
    const PLResult result = PLAnyPicDecoder().MakeBmpFromMetafilePicture(wrapped.data() + 8, wrapped.size() - 8, bmp);
    ASSERT_TRUE(result.Ok()) << result.Text();
    const Magick::Image written = WrittenPng(bmp, false);
    EXPECT_EQ(static_cast<unsigned>(width), written.columns());
    EXPECT_EQ(static_cast<unsigned>(height), written.rows());
    for (const Rgba& pixel : Pixels(written)) {
        EXPECT_NEAR(220, pixel.red, 2);
        EXPECT_NEAR(120, pixel.green, 2);
        EXPECT_NEAR(30, pixel.blue, 2);
        EXPECT_EQ(255u, pixel.alpha);
    }
}

TEST_F(PixelKeepingTest, AMetafilePictureWithoutAWindowOrMetafileIsRefused)
{
    PLBmp bmp;
    const Bytes empty = form_pictures::WrappedWmf();
    EXPECT_EQ(PL_ERRBAD_DATA, PLAnyPicDecoder().MakeBmpFromMetafilePicture(empty.data() + 8, empty.size() - 8, bmp).Code());
    const Bytes noise(64, 7);
    EXPECT_EQ(PL_ERRBAD_DATA, PLAnyPicDecoder().MakeBmpFromMetafilePicture(noise.data(), noise.size(), bmp).Code());
    EXPECT_TRUE(bmp.IsEmpty());
}

}  // namespace
