#pragma once
// What a file referred to as a picture really is, from its first bytes, as
// a browser sniffs a picture (or a background sound) before it shows it. A
// page may name any file as a picture; only real ones are copied.

#include <string>

// The usual extension of the picture or sound the file holds ("gif",
// "jpg", "png", "bmp", "ico", "webp", "wav", "mid", "mp3" ...), without the
// dot; "" when the file is none of them or cannot be read.
std::string SniffedPictureExtension(const std::string& path);
