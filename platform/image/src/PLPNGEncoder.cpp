#include "image/PLPNGEncoder.h"

#include "BmpData.h"
#include "MagickRuntime.h"

#include <cstdio>
#include <fstream>

PLResult PLPNGEncoder::MakeFileFromBmp(const std::string& path, const PLBmp& bmp) const
{
    if (bmp.IsEmpty())
        return PLResult(PL_ERRNO_BITMAP, "there is no picture to write");
    pollenta::image::EnsureMagick();
    // Encoded in memory and written by us, so the path is never read as a
    // GraphicsMagick file name with a frame or format in it ("name[0]", "fmt:name").
    Magick::Blob blob;
    try {
        Magick::Image image = bmp.Data().image;
        image.magick("PNG");
        image.write(&blob);
    } catch (const Magick::Warning&) {
    } catch (const std::exception& e) {
        return PLResult(PL_ERRWRITE_FAILED, e.what());
    }
    if (blob.length() == 0)
        return PLResult(PL_ERRWRITE_FAILED, "the picture could not be encoded as PNG");
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(blob.data()), static_cast<std::streamsize>(blob.length()));
    out.close();
    if (!out) {
        std::remove(path.c_str());
        return PLResult(PL_ERRWRITE_FAILED, "cannot write \"" + path + "\"");
    }
    return PLResult();
}
