#pragma once
// One personal copy of the survey as the recipient's mail client reads it:
// parsed with GMime, its addressee and its HTML part, decoded.

#include <filesystem>
#include <string>

struct SurveyCopy {
    std::string recipient;
    std::string html;
};

// A RoadFailure when the file is no message with one addressee and an
// HTML part.
SurveyCopy ReadSurveyCopy(const std::filesystem::path& eml);
