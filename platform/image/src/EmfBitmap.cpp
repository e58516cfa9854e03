#include "EmfBitmap.h"

#include <cstring>

namespace pollenta::image {

namespace {

constexpr std::uint32_t kHeaderRecord = 1;
constexpr std::uint32_t kEofRecord = 14;
constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::size_t kSignatureOffset = 40;
constexpr std::size_t kBitmapInfoHeaderSize = 40;

// Where each bitmap record keeps the offsets and sizes of its bitmap info
// and bits (offBmi, cbBmi, offBits, cbBits follow one another).
struct BitmapRecord {
    std::uint32_t type;
    std::size_t offsets;
};
constexpr BitmapRecord kBitmapRecords[] = {
    {76, 84},  // BITBLT
    {77, 84},  // STRETCHBLT
    {80, 48},  // SETDIBITSTODEVICE
    {81, 48},  // STRETCHDIBITS
};

std::uint32_t Dword(const std::uint8_t* p)
{
    std::uint32_t value;
    std::memcpy(&value, p, 4);
    return value;
}

struct Part {
    std::size_t offset;
    std::size_t size;
};

// A part of the record at `record` of `length` bytes, if it lies inside it.
std::optional<Part> PartOf(const std::uint8_t* record, std::size_t length, std::size_t field)
{
    if (field + 8 > length)
        return std::nullopt;
    const std::size_t offset = Dword(record + field), size = Dword(record + field + 4);
    if (offset > length || size > length - offset)
        return std::nullopt;
    return Part{offset, size};
}

}  // namespace

bool IsEnhancedMetafile(const std::uint8_t* data, std::size_t size)
{
    return data && size >= kSignatureOffset + 4 && Dword(data) == kHeaderRecord &&
           Dword(data + kSignatureOffset) == kSignature;
}

std::optional<std::vector<std::uint8_t>> EmfBitmap(const std::uint8_t* data, std::size_t size)
{
    if (!IsEnhancedMetafile(data, size))
        return std::nullopt;
    std::optional<std::vector<std::uint8_t>> best;
    for (std::size_t at = 0; at + 8 <= size;) {
        const std::uint32_t type = Dword(data + at), length = Dword(data + at + 4);
        if (length < 8 || length % 4 != 0 || length > size - at)
            return std::nullopt;  // damaged: nothing of it is trusted
        for (const BitmapRecord& kind : kBitmapRecords) {
            if (kind.type != type)
                continue;
            const auto info = PartOf(data + at, length, kind.offsets);
            const auto bits = PartOf(data + at, length, kind.offsets + 8);
            if (!info || !bits || info->size < kBitmapInfoHeaderSize || bits->size == 0)
                continue;
            if (best && best->size() >= info->size + bits->size)
                continue;
            best.emplace(data + at + info->offset, data + at + info->offset + info->size);
            best->insert(best->end(), data + at + bits->offset, data + at + bits->offset + bits->size);
        }
        if (type == kEofRecord)
            break;
        at += length;
    }
    return best;
}

}  // namespace pollenta::image
