#pragma once
// Who the survey goes to: what the user types into the message's To line
// (bare addresses, one of them twice, and the name of a distribution list
// of the address book that holds another list and an address typed as
// well), and the fifty addresses that this comes to.

#include <filesystem>
#include <set>
#include <string>
#include <vector>

struct SurveyRecipients {
    std::vector<std::string> typed;
    std::set<std::string> addresses;
};

// Enters the lists and their members into the profile's address book.
SurveyRecipients MakeSurveyRecipients(const std::filesystem::path& addressBook);
