#pragma once
// The first picture of an icon when it is a bitmap of 32 bits a pixel. Its
// fourth bytes are the pixels' opacity, which GraphicsMagick's icon reader
// leaves aside for the one-bit mask; the mask counts only in an icon whose
// fourth bytes are all 0, as the system draws one.

#include <Magick++.h>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace pollenta::image {

// nullopt for any other icon (a PNG picture, fewer bits a pixel) and for
// one whose bitmap reaches beyond the data.
std::optional<Magick::Image> IconBitmap(const std::uint8_t* data, std::size_t size);

}  // namespace pollenta::image
