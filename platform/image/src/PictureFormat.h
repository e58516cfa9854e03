#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pollenta::image {

// The GraphicsMagick format name of the picture in these bytes, by their
// signature; empty for data that is none of the formats we read.
std::string PictureFormat(const std::uint8_t* data, std::size_t size);

}  // namespace pollenta::image
