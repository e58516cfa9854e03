#include "InboxSubjects.h"

#include <sstream>

namespace {

// PR_SUBJECT_A as mapitool prints it.
constexpr const char* kSubject = "0x0037001E  \"";

}  // namespace

std::vector<std::string> InboxSubjects(RoadPrograms& programs, const std::string& profile)
{
    const std::string listing =
        programs.Run({"mapitool", "--profile", profile, "messages", "\\\\Personal Folders\\Inbox"});
    std::vector<std::string> subjects;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t at = line.find(kSubject);
        if (at != std::string::npos && line.size() > at + 13 && line.back() == '"')
            subjects.push_back(line.substr(at + 13, line.size() - at - 14));
    }
    return subjects;
}
