#pragma once
// Writes a picture as a PNG file. Pictures with 16 bits per channel keep them.

#include "image/PLBmp.h"
#include "image/PLResult.h"

#include <string>

class PLPNGEncoder {
public:
    // A failed write leaves no partial file behind.
    PLResult MakeFileFromBmp(const std::string& path, const PLBmp& bmp) const;
};
