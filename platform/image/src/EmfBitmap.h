#pragma once
// The bitmap an enhanced metafile carries. GraphicsMagick cannot draw
// metafiles of this kind; the ones the desktop database program stores for
// pictures hold the picture as a bitmap record (StretchDIBits, BitBlt,
// StretchBlt or SetDIBitsToDevice), which is taken as it stands.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace pollenta::image {

// An EMF header record: type 1 with " EMF" at offset 40.
bool IsEnhancedMetafile(const std::uint8_t* data, std::size_t size);

// The packed DIB (BITMAPINFO then bits) of the largest bitmap record;
// nullopt when there is none or a record reaches beyond the data.
std::optional<std::vector<std::uint8_t>> EmfBitmap(const std::uint8_t* data, std::size_t size);

}  // namespace pollenta::image
