#include "MagickRuntime.h"

#include <mutex>

namespace pollenta::image {

namespace {
constexpr unsigned long kMaxPixels = 64ul * 1024ul * 1024ul;
constexpr unsigned long kMaxSide = 32768ul;
}  // namespace

void EnsureMagick()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Magick::InitializeMagick(nullptr);
        MagickLib::SetMagickResourceLimit(MagickLib::PixelsResource, kMaxPixels);
        MagickLib::SetMagickResourceLimit(MagickLib::WidthResource, kMaxSide);
        MagickLib::SetMagickResourceLimit(MagickLib::HeightResource, kMaxSide);
    });
}

PLResult ReadPicture(Magick::Image& image, const void* data, std::size_t size, const std::string& format)
{
    EnsureMagick();
    try {
        Magick::Blob blob(data, size);
        image.magick(format);
        image.read(blob);
    } catch (const Magick::WarningCorruptImage& e) {
        return PLResult(PL_ERRBAD_DATA, e.what());
    } catch (const Magick::Warning&) {
        // A note about the file (an unknown tag, a profile); the picture stands.
    } catch (const Magick::Exception& e) {
        return PLResult(PL_ERRBAD_DATA, e.what());
    } catch (const std::exception& e) {
        return PLResult(PL_ERRBAD_DATA, e.what());
    }
    if (image.columns() < 1 || image.rows() < 1)
        return PLResult(PL_ERRBAD_DATA, "the " + format + " data holds no picture");
    return PLResult();
}

}  // namespace pollenta::image
