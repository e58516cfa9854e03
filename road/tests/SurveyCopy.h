#pragma once
// One personal copy of the survey as the recipient's mail client reads it:
// parsed with GMime, its addressee, subject, HTML part (decoded) and the
// content ids of its other parts (the pictures the HTML shows).

#include <filesystem>
#include <set>
#include <string>

struct SurveyCopy {
    std::string recipient;
    std::string subject;
    std::string html;
    std::set<std::string> contentIds;
};

// A RoadFailure when the file is no message with one addressee and an
// HTML part.
SurveyCopy ReadSurveyCopy(const std::filesystem::path& eml);
