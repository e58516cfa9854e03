#include "image/PLAnyPicDecoder.h"
#include "image/PLFilterQuantize.h"
#include "image/PLPNGEncoder.h"
#include "image/PLWinBmp.h"
#include "testsupport/TempFolder.h"

#include "TestPictures.h"

#include <Magick++.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Magick::InitializeMagick(nullptr);
    }

    // A picture of the given size in the given format, made with gradients so
    // that it has many colours unless a palette format reduces them.
    static Bytes Make(const std::string& format, unsigned width, unsigned height, bool alpha = false)
    {
        Magick::Image image(Magick::Geometry(width, height), Magick::Color("white"));
        image.read("gradient:red-blue");
        image.sample(Magick::Geometry(width, height));
        if (image.columns() != width || image.rows() != height) {
            Magick::Geometry exact(width, height);
            exact.aspect(true);
            image.sample(exact);
        }
        if (alpha) {
            image.matte(true);
            image.opacity(MaxRGB / 2);
        }
        return Encode(image, format);
    }

    // Decodes the PNG file written by the encoder with GraphicsMagick itself.
    static Magick::Geometry SizeOfPng(const std::string& path)
    {
        Magick::Image written;
        written.read(path);
        EXPECT_EQ(written.magick(), "PNG");
        return Magick::Geometry(written.columns(), written.rows());
    }

    void ExpectConvertsKeepingSize(const Bytes& data, unsigned width, unsigned height, const std::string& name)
    {
        PLBmp bmp;
        PLResult decoded = PLAnyPicDecoder().MakeBmpFromMemory(data.data(), data.size(), bmp);
        ASSERT_TRUE(decoded.Ok()) << name << ": " << decoded.Text();
        EXPECT_EQ(bmp.GetWidth(), static_cast<int>(width)) << name;
        EXPECT_EQ(bmp.GetHeight(), static_cast<int>(height)) << name;
        const std::string out = m_dir + "/" + name + ".png";
        ASSERT_TRUE(PLPNGEncoder().MakeFileFromBmp(out, bmp).Ok()) << name;
        Magick::Geometry size = SizeOfPng(out);
        EXPECT_EQ(size.width(), width) << name;
        EXPECT_EQ(size.height(), height) << name;
    }

    pollenta::testsupport::TempFolder m_folder{"pollenta-image"};
    std::string m_dir = m_folder.Path().string();
};

// A one-image icon holding a 16x16 bitmap at 32 bits per pixel.
Bytes MakeIcon()
{
    const unsigned side = 16, pixels = side * side * 4, mask = side * 4;
    Bytes icon = {0, 0, 1, 0, 1, 0};
    const unsigned imageSize = 40 + pixels + mask;
    const std::uint8_t entry[16] = {side, side, 0, 0, 1, 0, 32, 0,
                                    static_cast<std::uint8_t>(imageSize), static_cast<std::uint8_t>(imageSize >> 8), 0, 0,
                                    22, 0, 0, 0};
    icon.insert(icon.end(), entry, entry + 16);
    std::uint8_t header[40] = {40, 0, 0, 0, side, 0, 0, 0, side * 2, 0, 0, 0, 1, 0, 32, 0};
    icon.insert(icon.end(), header, header + 40);
    for (unsigned i = 0; i < side * side; ++i)
        icon.insert(icon.end(), {static_cast<std::uint8_t>(i), 0x40, 0x80, 0xff});
    icon.insert(icon.end(), mask, 0);
    return icon;
}

// A placeable metafile of one inch by half an inch with one rectangle.
Bytes MakeMetafile()
{
    auto words = [](Bytes& b, std::initializer_list<unsigned> list) {
        for (unsigned w : list)
            b.insert(b.end(), {static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(w >> 8)});
    };
    Bytes wmf;
    words(wmf, {0xCDD7, 0x9AC6, 0, 0, 0, 1440, 720, 1440, 0, 0});
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < wmf.size(); i += 2)
        sum ^= static_cast<std::uint16_t>(wmf[i] | (wmf[i + 1] << 8));
    words(wmf, {sum});
    const unsigned total = 9 + 5 + 7 + 3;
    words(wmf, {1, 9, 0x300, total, 0, 0, 7, 0, 0});
    words(wmf, {5, 0, 0x020B, 0, 0});            // SetWindowOrg 0,0
    words(wmf, {7, 0, 0x041B, 720, 1440, 0, 0}); // Rectangle
    words(wmf, {3, 0, 0});                       // end of file
    return wmf;
}

TEST_F(PictureTest, EveryFormatDecodesAndIsWrittenAsPngOfTheSameSize)
{
    for (const char* format : {"BMP", "GIF", "JPEG", "PNG", "TIFF"})
        ExpectConvertsKeepingSize(Make(format, 37, 21), 37, 21, format);
    ExpectConvertsKeepingSize(MakeIcon(), 16, 16, "ICO");

    PLBmp metafile;
    const Bytes wmf = MakeMetafile();
    PLResult result = PLAnyPicDecoder().MakeBmpFromMemory(wmf.data(), wmf.size(), metafile);
    ASSERT_TRUE(result.Ok()) << result.Text();
    EXPECT_GT(metafile.GetWidth(), metafile.GetHeight());
    ASSERT_TRUE(PLPNGEncoder().MakeFileFromBmp(m_dir + "/wmf.png", metafile).Ok());
    EXPECT_EQ(SizeOfPng(m_dir + "/wmf.png").width(), static_cast<unsigned>(metafile.GetWidth()));
}

TEST_F(PictureTest, FilesAreDecodedByContentNotByName)
{
    const Bytes gif = Make("GIF", 8, 6);
    const std::string path = m_dir + "/misnamed.jpg";
    FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(gif.data(), 1, gif.size(), f);
    std::fclose(f);
    PLBmp bmp;
    ASSERT_TRUE(PLAnyPicDecoder().MakeBmpFromFile(path, bmp).Ok());
    EXPECT_EQ(bmp.GetWidth(), 8);
    EXPECT_LE(bmp.GetBitsPerPixel(), 8);
    EXPECT_EQ(PLAnyPicDecoder().MakeBmpFromFile(m_dir + "/missing.gif", bmp).Code(), PL_ERRFILE_NOT_FOUND);
}

TEST_F(PictureTest, DamagedOrForeignDataIsAnErrorValue)
{
    PLBmp bmp;
    PLAnyPicDecoder decoder;
    EXPECT_EQ(decoder.MakeBmpFromMemory(nullptr, 0, bmp).Code(), PL_ERRUNKNOWN_FILE_TYPE);
    const std::string text = "<svg xmlns='http://www.w3.org/2000/svg'/>";
    EXPECT_EQ(decoder.MakeBmpFromMemory(reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), bmp).Code(),
              PL_ERRUNKNOWN_FILE_TYPE);
    for (const char* format : {"PNG", "GIF", "BMP", "TIFF", "JPEG"}) {
        Bytes data = Make(format, 40, 40);
        data.resize(data.size() / 3);
        PLResult result = decoder.MakeBmpFromMemory(data.data(), data.size(), bmp);
        EXPECT_FALSE(result.Ok()) << format;
        EXPECT_FALSE(result.Text().empty()) << format;
        EXPECT_TRUE(bmp.IsEmpty()) << format;
    }
    EXPECT_EQ(PLPNGEncoder().MakeFileFromBmp(m_dir + "/none.png", bmp).Code(), PL_ERRNO_BITMAP);
    EXPECT_FALSE(std::filesystem::exists(m_dir + "/none.png"));
}

TEST_F(PictureTest, DeviceIndependentBitmapsAreCheckedAgainstTheirLength)
{
    const Bytes file = Make("BMP3", 13, 7);
    const Bytes dib(file.begin() + 14, file.end());
    PLBmp bmp;
    PLResult result = PLWinBmp::CreateFromDIB(dib.data(), dib.size(), bmp);
    ASSERT_TRUE(result.Ok()) << result.Text();
    EXPECT_EQ(bmp.GetWidth(), 13);
    EXPECT_EQ(bmp.GetHeight(), 7);

    Bytes shortRows(dib.begin(), dib.end() - 1);
    EXPECT_EQ(PLWinBmp::CreateFromDIB(shortRows.data(), shortRows.size(), bmp).Code(), PL_ERRBAD_DATA);
    EXPECT_TRUE(bmp.IsEmpty());
    Bytes hugeWidth = dib;
    hugeWidth[7] = 0x7f;
    EXPECT_EQ(PLWinBmp::CreateFromDIB(hugeWidth.data(), hugeWidth.size(), bmp).Code(), PL_ERRBAD_DATA);
    Bytes oversizedHeader = dib;
    oversizedHeader[1] = 0x10;
    EXPECT_EQ(PLWinBmp::CreateFromDIB(oversizedHeader.data(), oversizedHeader.size(), bmp).Code(), PL_ERRBAD_DATA);
    EXPECT_EQ(PLWinBmp::CreateFromDIB(dib.data(), 39, bmp).Code(), PL_ERRBAD_DATA);
}

TEST_F(PictureTest, QuantisingLeavesAPaletteOfTheSameSize)
{
    const Bytes png = Make("PNG", 30, 20, true);
    PLBmp bmp;
    ASSERT_TRUE(PLAnyPicDecoder().MakeBmpFromMemory(png.data(), png.size(), bmp).Ok());
    EXPECT_TRUE(bmp.HasAlpha());
    EXPECT_EQ(bmp.GetBitsPerPixel(), 32);
    ASSERT_TRUE(PLFilterQuantize().ApplyInPlace(bmp).Ok());
    EXPECT_LE(bmp.GetBitsPerPixel(), 8);
    ASSERT_TRUE(PLPNGEncoder().MakeFileFromBmp(m_dir + "/q.png", bmp).Ok());
    EXPECT_EQ(SizeOfPng(m_dir + "/q.png").width(), 30u);
    PLBmp empty;
    EXPECT_EQ(PLFilterQuantize().ApplyInPlace(empty).Code(), PL_ERRNO_BITMAP);
}

TEST_F(PictureTest, PaletteDepthIsReported)
{
    const PictureBytes bitmap = SixteenColourBitmap(12, 6);
    ASSERT_EQ(bitmap[28], 4) << "a 4-bit bitmap file";
    PLBmp bmp;
    ASSERT_TRUE(PLAnyPicDecoder().MakeBmpFromMemory(bitmap.data(), bitmap.size(), bmp).Ok());
    EXPECT_EQ(bmp.GetBitsPerPixel(), 4);
    EXPECT_FALSE(bmp.HasAlpha());
}

TEST_F(PictureTest, FixRatioMakesOblongJpegPixelsSquare)
{
    Magick::Image image(Magick::Geometry(40, 20), Magick::Color("green"));
    image.resolutionUnits(Magick::PixelsPerInchResolution);
    image.density(Magick::Geometry(144, 72));
    image.magick("JPEG");
    Magick::Blob blob;
    image.write(&blob);
    const auto* p = static_cast<const std::uint8_t*>(blob.data());
    PLAnyPicDecoder decoder;
    PLBmp plain, fixed;
    ASSERT_TRUE(decoder.MakeBmpFromMemory(p, blob.length(), plain).Ok());
    EXPECT_EQ(plain.GetWidth(), 40);
    decoder.SetJPEGFixRatio(true);
    ASSERT_TRUE(decoder.MakeBmpFromMemory(p, blob.length(), fixed).Ok());
    EXPECT_EQ(fixed.GetWidth(), 20);
    EXPECT_EQ(fixed.GetHeight(), 20);
}

}  // namespace
