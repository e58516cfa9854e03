#include "image/PLWinBmp.h"

#include "BmpData.h"
#include "MagickRuntime.h"

#include <vector>

namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::int64_t kMaxSide = 32768;

std::uint32_t Dword(const std::uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24); }
std::uint16_t Word(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
void PutDword(std::uint8_t* p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The offset of the pixel rows from the start of the DIB, or 0 when the
// header is inconsistent with itself or with the size of the block.
std::size_t PixelOffset(const std::uint8_t* dib, std::size_t size)
{
    if (size < 40)
        return 0;
    const std::uint32_t headerSize = Dword(dib);
    const std::int64_t width = static_cast<std::int32_t>(Dword(dib + 4));
    const std::int64_t height = static_cast<std::int32_t>(Dword(dib + 8));
    const std::uint16_t planes = Word(dib + 12), bitCount = Word(dib + 14);
    const std::uint32_t compression = Dword(dib + 16), imageSize = Dword(dib + 20), coloursUsed = Dword(dib + 32);
    if (headerSize < 40 || headerSize > size || planes != 1)
        return 0;
    if (width < 1 || width > kMaxSide || height == 0 || height > kMaxSide || height < -kMaxSide)
        return 0;
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return 0;
    const bool rle = compression == kRle8 || compression == kRle4;
    if (compression != kRgb && compression != kBitFields && !rle)
        return 0;
    if ((compression == kRle8 && bitCount != 8) || (compression == kRle4 && bitCount != 4) || (rle && height < 0))
        return 0;
    const std::int64_t masks = (compression == kBitFields && headerSize == 40) ? 12 : 0;
    std::int64_t palette = coloursUsed != 0 ? coloursUsed : (bitCount <= 8 ? (1 << bitCount) : 0);
    if (bitCount <= 8 && palette > (1 << bitCount))
        return 0;
    if (palette > 256)
        return 0;
    const std::int64_t offset = headerSize + masks + palette * 4;
    const std::int64_t stride = ((width * bitCount + 31) / 32) * 4;
    const std::int64_t rows = height < 0 ? -height : height;
    const std::int64_t pixels = rle ? imageSize : stride * rows;
    if ((rle && imageSize == 0) || offset + pixels > static_cast<std::int64_t>(size))
        return 0;
    return static_cast<std::size_t>(offset);
}

// In a 32-bit bitmap without bit fields the fourth byte of a pixel is
// unused, mostly 0, though GraphicsMagick would read it as opacity.
bool HasUnusedFourthByte(const std::uint8_t* dib) { return Word(dib + 14) == 32 && Dword(dib + 16) == kRgb; }

}  // namespace

PLResult PLWinBmp::CreateFromDIB(const std::uint8_t* data, std::size_t size, PLBmp& bmp)
{
    bmp.Data().loaded = false;
    const std::size_t offset = data == nullptr ? 0 : PixelOffset(data, size);
    if (offset == 0)
        return PLResult(PL_ERRBAD_DATA, "the bitmap header does not match its data");
    // The bitmap file format is the DIB behind a 14-byte file header.
    std::vector<std::uint8_t> file(kFileHeaderSize + size);
    file[0] = 'B';
    file[1] = 'M';
    PutDword(&file[2], static_cast<std::uint32_t>(file.size()));
    PutDword(&file[10], static_cast<std::uint32_t>(kFileHeaderSize + offset));
    std::copy(data, data + size, file.begin() + kFileHeaderSize);
    Magick::Image image;
    PLResult result = pollenta::image::ReadPicture(image, file.data(), file.size(), "BMP");
    if (!result.Ok())
        return result;
    if (HasUnusedFourthByte(data))
        image.matte(false);
    bmp.Data().image = image;
    bmp.Data().loaded = true;
    return result;
}
