#include "image/PLFilterQuantize.h"

#include "BmpData.h"

#include <optional>
#include <vector>

namespace {

// Colour reduction may give pixels that differ only in opacity one palette
// entry (opaque and transparent black, say), and a palette picture is
// written with one opacity per entry. Then each pixel gets its own opacity
// back and the picture keeps full colour, so that reducing colours never
// shows or hides a pixel.
bool EntriesMixOpacities(const Magick::Image& image)
{
    const unsigned width = image.columns(), height = image.rows();
    const Magick::PixelPacket* pixels = image.getConstPixels(0, 0, width, height);
    const Magick::IndexPacket* entries = image.getConstIndexes();
    if (!pixels || !entries)
        return true;
    std::vector<std::optional<Magick::Quantum>> opacities(image.colorMapSize());
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        if (entries[i] >= opacities.size())
            return true;
        std::optional<Magick::Quantum>& opacity = opacities[entries[i]];
        if (opacity && *opacity != pixels[i].opacity)
            return true;
        opacity = pixels[i].opacity;
    }
    return false;
}

void RestoreOpacity(Magick::Image& image, const Magick::Image& original)
{
    const unsigned width = image.columns(), height = image.rows();
    image.classType(Magick::DirectClass);
    image.matte(true);
    for (unsigned y = 0; y < height; ++y) {
        const Magick::PixelPacket* row = original.getConstPixels(0, y, width, 1);
        Magick::PixelPacket* to = image.getPixels(0, y, width, 1);
        for (unsigned x = 0; x < width; ++x)
            to[x].opacity = row[x].opacity;
        image.syncPixels();
    }
}

}  // namespace

PLResult PLFilterQuantize::ApplyInPlace(PLBmp& bmp) const
{
    if (bmp.IsEmpty())
        return PLResult(PL_ERRNO_BITMAP, "there is no picture to quantise");
    Magick::Image& image = bmp.Data().image;
    const Magick::Image original = image;
    try {
        image.quantizeColorSpace(Magick::RGBColorspace);
        image.quantizeColors(256);
        image.quantizeDither(true);
        image.quantize();
    } catch (const Magick::Warning&) {
    } catch (const std::exception& e) {
        return PLResult(PL_ERRBAD_DATA, e.what());
    }
    try {
        if (original.matte() && image.classType() == Magick::PseudoClass && EntriesMixOpacities(image))
            RestoreOpacity(image, original);
    } catch (const std::exception& e) {
        return PLResult(PL_ERRBAD_DATA, e.what());
    }
    return PLResult();
}
