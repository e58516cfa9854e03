#pragma once

#include "image/PLResult.h"

#include <Magick++.h>

#include <string>

namespace pollenta::image {

// GraphicsMagick must be initialised once per process before its first use;
// this also caps the size of a picture so that a forged header cannot make
// us allocate without bound.
void EnsureMagick();

// Reads a picture of the given GraphicsMagick format from memory. Warnings
// that only describe the file are accepted; warnings of damaged data and
// every error are failures.
PLResult ReadPicture(Magick::Image& image, const void* data, std::size_t size, const std::string& format);

}  // namespace pollenta::image
