#pragma once
// A survey page as an old HTML editor saved it, in windows-1252, with a
// picture beside it: the page a user hands to the wizard.

#include <filesystem>

// Writes the page and its picture into `folder`; the page's path.
std::filesystem::path WriteSurveyPage(const std::filesystem::path& folder);
