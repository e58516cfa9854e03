#include "MetafilePicture.h"

#include <algorithm>
#include <cstdlib>

namespace pollenta::image {

namespace {

constexpr std::uint16_t kIsotropic = 7, kAnisotropic = 8;
constexpr std::uint16_t kSetWindowOrg = 0x020B, kSetWindowExt = 0x020C;
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kMetafileHeaderSize = 18;
// GraphicsMagick draws a placeable metafile at 72 dots per inch.
constexpr double kReaderDpi = 72, kScreenDpi = 96, kHimetricPerInch = 2540;
constexpr int kMaxSide = 32768;
// The reader cannot draw a very small picture (its transform degenerates):
// a small one is drawn larger, and made smaller afterwards.
constexpr unsigned kSmallestDrawing = 256;

std::uint16_t Word(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t Dword(const std::uint8_t* p) { return Word(p) | (static_cast<std::uint32_t>(Word(p + 2)) << 16); }
std::int16_t Short(const std::uint8_t* p) { return static_cast<std::int16_t>(Word(p)); }

void PutWord(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

bool IsMetafileHeader(const std::uint8_t* data, std::size_t size)
{
    return size >= kMetafileHeaderSize && (Word(data) == 1 || Word(data) == 2) && Word(data + 2) == 9 &&
           (Word(data + 4) == 0x100 || Word(data + 4) == 0x300);
}

struct Window {
    int left = 0, top = 0, width = 0, height = 0;
    bool sized = false;
};

// The window the metafile draws in, as its last SetWindowOrg and
// SetWindowExt records set it.
Window WindowOf(const std::uint8_t* metafile, std::size_t size)
{
    Window window;
    for (std::size_t at = kMetafileHeaderSize; at + 6 <= size;) {
        const std::size_t length = static_cast<std::size_t>(Dword(metafile + at)) * 2;
        const std::uint16_t function = Word(metafile + at + 4);
        if (length < 6 || length > size - at || function == 0)
            break;
        // The parameters of a record come last first: y, then x.
        if ((function == kSetWindowOrg || function == kSetWindowExt) && length >= 10) {
            const int y = Short(metafile + at + 6), x = Short(metafile + at + 8);
            if (function == kSetWindowOrg) {
                window.left = x;
                window.top = y;
            } else {
                window.width = x;
                window.height = y;
                window.sized = x != 0 && y != 0;
            }
        }
        at += length;
    }
    return window;
}

unsigned ScreenPixels(long himetric) { return static_cast<unsigned>(himetric * kScreenDpi / kHimetricPerInch + 0.5); }

}  // namespace

std::optional<PlaceableMetafile> FromMetafilePicture(const std::uint8_t* data, std::size_t size)
{
    if (!data)
        return std::nullopt;
    // METAFILEPICT with 16-bit fields (as older programs keep it) or 32-bit ones.
    std::size_t header = 0;
    long mode = 0, xExt = 0, yExt = 0;
    if (size > 8 && IsMetafileHeader(data + 8, size - 8)) {
        header = 8;
        mode = Word(data);
        xExt = Short(data + 2);
        yExt = Short(data + 4);
    } else if (size > 16 && IsMetafileHeader(data + 16, size - 16)) {
        header = 16;
        mode = static_cast<std::int32_t>(Dword(data));
        xExt = static_cast<std::int32_t>(Dword(data + 4));
        yExt = static_cast<std::int32_t>(Dword(data + 8));
    } else {
        return std::nullopt;
    }
    const std::uint8_t* metafile = data + header;
    const std::size_t metafileSize = size - header;
    const Window window = WindowOf(metafile, metafileSize);
    if (!window.sized)
        return std::nullopt;
    PlaceableMetafile picture;
    const int units = std::abs(window.width), unitRows = std::abs(window.height);
    // Only these modes give the picture's size in the extents; a negative
    // or missing extent gives only its proportions.
    const bool sizedByExtents = (mode == kIsotropic || mode == kAnisotropic) && xExt > 0 && yExt > 0;
    picture.width = sizedByExtents ? ScreenPixels(xExt) : static_cast<unsigned>(units);
    picture.height = sizedByExtents ? ScreenPixels(yExt) : static_cast<unsigned>(unitRows);
    if (picture.width < 1 || picture.height < 1 || picture.width > kMaxSide || picture.height > kMaxSide)
        return std::nullopt;
    // Units per inch so that the reader draws close to the screen size, or
    // a whole multiple of it for a small picture.
    const unsigned scale = std::max(1u, kSmallestDrawing / std::max(picture.width, picture.height));
    const double inch = std::clamp(units * kReaderDpi / (picture.width * scale), 1.0, 65535.0);
    const int left = std::min(window.left, window.left + window.width);
    const int top = std::min(window.top, window.top + window.height);
    const std::uint16_t words[] = {
        static_cast<std::uint16_t>(kPlaceableKey), static_cast<std::uint16_t>(kPlaceableKey >> 16), 0,
        static_cast<std::uint16_t>(left), static_cast<std::uint16_t>(top), static_cast<std::uint16_t>(left + units),
        static_cast<std::uint16_t>(top + unitRows), static_cast<std::uint16_t>(inch + 0.5), 0, 0,
    };
    std::uint16_t checksum = 0;
    for (std::uint16_t word : words) {
        PutWord(picture.bytes, word);
        checksum ^= word;
    }
    PutWord(picture.bytes, checksum);
    picture.bytes.insert(picture.bytes.end(), metafile, metafile + metafileSize);
    return picture;
}

}  // namespace pollenta::image
