#pragma once
// A metafile picture as the clipboard and the desktop database program keep
// one (CF_METAFILEPICT): a mapping mode and the picture's extents in
// hundredths of a millimetre, then a Windows metafile without the placeable
// header. GraphicsMagick's WMF reader sizes a metafile by its placeable
// header, so the picture is given one that spans its window.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace pollenta::image {

struct PlaceableMetafile {
    std::vector<std::uint8_t> bytes;  // placeable header, then the metafile
    // The picture's size on a screen of 96 pixels per inch.
    unsigned width = 0;
    unsigned height = 0;
};

// nullopt when no metafile follows the header (of 16 or 32 bits a field) or
// the metafile sets no window to draw in.
std::optional<PlaceableMetafile> FromMetafilePicture(const std::uint8_t* data, std::size_t size);

}  // namespace pollenta::image
