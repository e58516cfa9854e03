#include "IconBitmap.h"

#include <vector>

namespace pollenta::image {

namespace {

constexpr std::size_t kDirectorySize = 6, kEntrySize = 16, kInfoHeaderSize = 40;
constexpr std::int64_t kMaxSide = 32768;

std::uint16_t Word(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t Dword(const std::uint8_t* p) { return Word(p) | (static_cast<std::uint32_t>(Word(p + 2)) << 16); }

}  // namespace

std::optional<Magick::Image> IconBitmap(const std::uint8_t* data, std::size_t size)
{
    if (!data || size < kDirectorySize + kEntrySize || Word(data + 4) < 1)
        return std::nullopt;
    const std::uint32_t offset = Dword(data + kDirectorySize + 12);
    if (offset > size || size - offset < kInfoHeaderSize)
        return std::nullopt;
    const std::uint8_t* dib = data + offset;
    // The bitmap is twice as high as the picture: the colours, then the mask.
    const std::int64_t width = static_cast<std::int32_t>(Dword(dib + 4));
    const std::int64_t height = static_cast<std::int32_t>(Dword(dib + 8)) / 2;
    if (Dword(dib) != kInfoHeaderSize || Word(dib + 14) != 32 || Dword(dib + 16) != 0 || width < 1 ||
        width > kMaxSide || height < 1 || height > kMaxSide)
        return std::nullopt;
    const std::int64_t maskStride = (width + 31) / 32 * 4;
    const std::int64_t colours = width * height * 4;
    if (static_cast<std::int64_t>(size - offset) < static_cast<std::int64_t>(kInfoHeaderSize) + colours + maskStride * height)
        return std::nullopt;
    const std::uint8_t* bits = dib + kInfoHeaderSize;
    const std::uint8_t* mask = bits + colours;
    bool hasAlpha = false;
    for (std::int64_t i = 3; i < colours && !hasAlpha; i += 4)
        hasAlpha = bits[i] != 0;
    // Rows from the top, blue-green-red-alpha, alpha 255 opaque.
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(colours));
    for (std::int64_t y = 0; y < height; ++y) {
        const std::int64_t row = height - 1 - y;
        for (std::int64_t x = 0; x < width; ++x) {
            const std::uint8_t* from = bits + (row * width + x) * 4;
            std::uint8_t* to = pixels.data() + (y * width + x) * 4;
            std::copy(from, from + 3, to);
            const bool masked = (mask[row * maskStride + x / 8] >> (7 - x % 8)) & 1;
            to[3] = hasAlpha ? from[3] : masked ? 0 : 255;
        }
    }
    Magick::Image image(static_cast<unsigned>(width), static_cast<unsigned>(height), "BGRA", Magick::CharPixel,
                        pixels.data());
    image.matte(true);
    return image;
}

}  // namespace pollenta::image
