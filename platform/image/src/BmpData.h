#pragma once
// What a PLBmp holds: one GraphicsMagick picture.

#include <Magick++.h>

namespace pollenta::image {

struct BmpData {
    Magick::Image image;
    bool loaded = false;
};

}  // namespace pollenta::image
