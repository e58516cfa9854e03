#pragma once
// A project made from an HTML page by the wizard's engine, headless, the
// way its pages drive it: the page checked, its fields read, the settings
// of each page filled in, the project created with its answer table.

#include <filesystem>
#include <string>

struct PageProjectRequest {
    std::filesystem::path page;
    std::filesystem::path database;
    std::string table;
    std::string email;
    std::string subject;
};

// The new project's name; a RoadFailure with the wizard's errors.
std::string MakeProjectFromPage(const PageProjectRequest& request);
