#include "image/PLFilterQuantize.h"

#include "BmpData.h"

PLResult PLFilterQuantize::ApplyInPlace(PLBmp& bmp) const
{
    if (bmp.IsEmpty())
        return PLResult(PL_ERRNO_BITMAP, "there is no picture to quantise");
    Magick::Image& image = bmp.Data().image;
    try {
        image.quantizeColorSpace(Magick::RGBColorspace);
        image.quantizeColors(256);
        image.quantizeDither(true);
        image.quantize();
    } catch (const Magick::Warning&) {
    } catch (const std::exception& e) {
        return PLResult(PL_ERRBAD_DATA, e.what());
    }
    return PLResult();
}
