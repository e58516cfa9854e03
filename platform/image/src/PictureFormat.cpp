#include "PictureFormat.h"

#include <cstring>

namespace pollenta::image {

namespace {

bool StartsWith(const std::uint8_t* data, std::size_t size, const char* magic, std::size_t length)
{
    return size >= length && std::memcmp(data, magic, length) == 0;
}

std::uint16_t Word(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

// A metafile without the placeable header starts with its own header:
// type 1 (memory) or 2 (disk), header size 9 words, version 0x100 or 0x300.
bool IsPlainMetafile(const std::uint8_t* data, std::size_t size)
{
    if (size < 18)
        return false;
    const std::uint16_t type = Word(data), words = Word(data + 2), version = Word(data + 4);
    return (type == 1 || type == 2) && words == 9 && (version == 0x100 || version == 0x300);
}

// An icon directory: reserved 0, type 1, at least one image.
bool IsIcon(const std::uint8_t* data, std::size_t size)
{
    return size >= 22 && Word(data) == 0 && Word(data + 2) == 1 && Word(data + 4) >= 1;
}

}  // namespace

std::string PictureFormat(const std::uint8_t* data, std::size_t size)
{
    if (data == nullptr)
        return {};
    if (StartsWith(data, size, "\x89PNG\r\n\x1a\n", 8))
        return "PNG";
    if (StartsWith(data, size, "\xff\xd8\xff", 3))
        return "JPEG";
    if (StartsWith(data, size, "GIF87a", 6) || StartsWith(data, size, "GIF89a", 6))
        return "GIF";
    if (StartsWith(data, size, "BM", 2) && size >= 26)
        return "BMP";
    if (StartsWith(data, size, "II*\0", 4) || StartsWith(data, size, "MM\0*", 4))
        return "TIFF";
    if (StartsWith(data, size, "\xd7\xcd\xc6\x9a", 4) || IsPlainMetafile(data, size))
        return "WMF";
    if (IsIcon(data, size))
        return "ICO";
    return {};
}

}  // namespace pollenta::image
