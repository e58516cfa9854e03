#pragma once
// One personal copy of the survey as the recipient's mail client reads it:
// parsed with GMime, its addressee, subject, HTML part (decoded) and the
// content ids of its other parts (the pictures the HTML shows) with their
// media types and dispositions.

#include <filesystem>
#include <map>
#include <set>
#include <string>

struct SurveyCopy {
    std::string recipient;
    std::string subject;
    std::string html;
    std::set<std::string> contentIds;
    std::map<std::string, std::string> typeOfContentId;        // "image/gif"
    std::map<std::string, std::string> dispositionOfContentId; // "inline", or empty when the part has none
};

// A RoadFailure when the file is no message with one addressee and an
// HTML part.
SurveyCopy ReadSurveyCopy(const std::filesystem::path& eml);
