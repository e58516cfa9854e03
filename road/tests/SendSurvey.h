#pragma once
// The survey sent as the user sends it in the client's windows: "Create
// survey..." in the explorer's Pollenta menu, the project picked in the
// picker, the subject and the recipients typed into the message, "Send
// survey" on its toolbar; then the personal copies are awaited in the outgoing folder.

#include "InProcessHost.h"

#include <filesystem>
#include <string>
#include <vector>

struct SentSurvey {
    // The projects the picker offered, as it listed them.
    std::vector<std::string> offered;
    // The copies' .eml files.
    std::vector<std::filesystem::path> copies;
};

SentSurvey SendSurvey(InProcessHost& host, const std::string& project, const std::string& subject,
                      const std::vector<std::string>& recipients, const std::filesystem::path& outgoing,
                      std::size_t expectedCopies);
