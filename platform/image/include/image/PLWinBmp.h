#pragma once
// A device-independent bitmap held in memory (BITMAPINFOHEADER, optional
// colour masks and palette, then the pixel rows) made into a picture.

#include "image/PLBmp.h"
#include "image/PLResult.h"

#include <cstddef>
#include <cstdint>

class PLWinBmp {
public:
    // Checks every size the header claims against the bytes at hand before
    // anything is decoded: a short or inconsistent block is PL_ERRBAD_DATA.
    static PLResult CreateFromDIB(const std::uint8_t* data, std::size_t size, PLBmp& bmp);
};
