#pragma once
// Pictures made with GraphicsMagick for the tests that decode them.

#include <Magick++.h>

#include <cstdint>
#include <string>
#include <vector>

using PictureBytes = std::vector<std::uint8_t>;

inline PictureBytes Encode(Magick::Image image, const std::string& format)
{
    image.magick(format);
    Magick::Blob blob;
    image.write(&blob);
    const auto* p = static_cast<const std::uint8_t*>(blob.data());
    return PictureBytes(p, p + blob.length());
}

// A 4-bit bitmap file: GraphicsMagick writes one for a palette of 16 colours.
inline PictureBytes SixteenColourBitmap(unsigned width, unsigned height)
{
    Magick::Image image(Magick::Geometry(width, height), Magick::Color("white"));
    image.read("gradient:red-blue");
    image.quantizeColors(16);
    image.quantize();
    image.type(Magick::PaletteType);
    return Encode(image, "BMP3");
}
