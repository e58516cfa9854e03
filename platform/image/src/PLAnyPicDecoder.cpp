#include "image/PLAnyPicDecoder.h"
#include "image/PLWinBmp.h"

#include "BmpData.h"
#include "EmfBitmap.h"
#include "IconBitmap.h"
#include "MagickRuntime.h"
#include "MetafilePicture.h"
#include "PictureFormat.h"

#include <fstream>
#include <iterator>
#include <vector>

using namespace pollenta::image;

namespace {

// Scales a picture with oblong pixels so that it shows square ones, keeping
// its height.
void MakePixelsSquare(Magick::Image& image)
{
    const double x = image.xResolution(), y = image.yResolution();
    if (x <= 0 || y <= 0 || x == y)
        return;
    const auto width = static_cast<unsigned>(image.columns() * y / x + 0.5);
    if (width < 1)
        return;
    Magick::Geometry size(width, image.rows());
    size.aspect(true);
    image.resize(size);
    image.density(Magick::Geometry(static_cast<unsigned>(y), static_cast<unsigned>(y)));
}

}  // namespace

PLResult PLAnyPicDecoder::MakeBmpFromFile(const std::string& path, PLBmp& bmp) const
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return PLResult(PL_ERRFILE_NOT_FOUND, "cannot open \"" + path + "\"");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return PLResult(PL_ERRFILE_NOT_FOUND, "cannot read \"" + path + "\"");
    return MakeBmpFromMemory(bytes.data(), bytes.size(), bmp);
}

PLResult PLAnyPicDecoder::MakeBmpFromMemory(const std::uint8_t* data, std::size_t size, PLBmp& bmp) const
{
    if (IsEnhancedMetafile(data, size)) {
        const std::optional<std::vector<std::uint8_t>> dib = EmfBitmap(data, size);
        if (!dib)
            return PLResult(PL_ERRBAD_DATA, "the metafile carries no bitmap");
        return PLWinBmp::CreateFromDIB(dib->data(), dib->size(), bmp);
    }
    const std::string format = PictureFormat(data, size);
    if (format.empty())
        return PLResult(PL_ERRUNKNOWN_FILE_TYPE, "the data is not a picture of a known format");
    BmpData& target = bmp.Data();
    target.loaded = false;
    Magick::Image image;
    PLResult result;
    if (std::optional<Magick::Image> icon = format == "ICO" ? IconBitmap(data, size) : std::nullopt)
        image = *icon;
    else
        result = ReadPicture(image, data, size, format);
    if (!result.Ok())
        return result;
    try {
        if (m_fixRatio && format == "JPEG")
            MakePixelsSquare(image);
    } catch (const std::exception& e) {
        return PLResult(PL_ERRBAD_DATA, e.what());
    }
    target.image = image;
    target.loaded = true;
    return result;
}

PLResult PLAnyPicDecoder::MakeBmpFromMetafilePicture(const std::uint8_t* data, std::size_t size, PLBmp& bmp) const
{
    bmp.Data().loaded = false;
    const std::optional<PlaceableMetafile> metafile = FromMetafilePicture(data, size);
    if (!metafile)
        return PLResult(PL_ERRBAD_DATA, "the metafile picture holds no metafile with a window");
    Magick::Image image;
    PLResult result = ReadPicture(image, metafile->bytes.data(), metafile->bytes.size(), "WMF");
    if (!result.Ok())
        return result;
    try {
        // A small picture is drawn larger, and the units per inch of the
        // header are whole numbers: the drawing is brought to the size meant.
        if (image.columns() != metafile->width || image.rows() != metafile->height) {
            Magick::Geometry size(metafile->width, metafile->height);
            size.aspect(true);
            image.resize(size);
        }
    } catch (const std::exception& e) {
        return PLResult(PL_ERRBAD_DATA, e.what());
    }
    bmp.Data().image = image;
    bmp.Data().loaded = true;
    return result;
}
