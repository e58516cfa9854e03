#pragma once
// Decodes BMP, GIF, JPEG, PNG, TIFF, WMF and ICO pictures, and the bitmap
// that an enhanced metafile (EMF) carries. The format is
// taken from the data, never from a file name, and nothing else is decoded.

#include "image/PLBmp.h"
#include "image/PLResult.h"

#include <cstddef>
#include <cstdint>
#include <string>

class PLAnyPicDecoder {
public:
    // When set, a JPEG whose pixels are not square (different horizontal and
    // vertical density) is scaled so that it shows with its intended ratio.
    void SetJPEGFixRatio(bool fix) { m_fixRatio = fix; }

    PLResult MakeBmpFromFile(const std::string& path, PLBmp& bmp) const;
    PLResult MakeBmpFromMemory(const std::uint8_t* data, std::size_t size, PLBmp& bmp) const;
    // A metafile picture as the clipboard keeps one (CF_METAFILEPICT: mapping
    // mode, extents, the metafile), drawn at its size on a 96-dpi screen.
    PLResult MakeBmpFromMetafilePicture(const std::uint8_t* data, std::size_t size, PLBmp& bmp) const;

private:
    bool m_fixRatio = false;
};
