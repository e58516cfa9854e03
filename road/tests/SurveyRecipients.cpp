#include "SurveyRecipients.h"

#include "mapi/MapiAdmin.h"

#include <cstdio>

namespace {

std::string Numbered(const char* pattern, int number)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, number);
    return text;
}

}  // namespace

SurveyRecipients MakeSurveyRecipients(const std::filesystem::path& addressBook)
{
    const std::string book = addressBook.string();
    SurveyRecipients recipients;
    std::vector<std::string> team;
    std::vector<std::string> board;
    for (int i = 1; i <= 12; ++i) {
        const std::string address = Numbered("member%02d@example.net", i);
        const std::string entry = pollenta::mapi::AddMailUser(book, Numbered("Member %02d", i), address, {});
        (i <= 8 ? team : board).push_back(entry);
        recipients.addresses.insert(address);
    }
    team.push_back(pollenta::mapi::AddDistList(book, "Course board", board));
    pollenta::mapi::AddDistList(book, "Course team", team);

    for (int i = 1; i <= 38; ++i) {
        const std::string address = Numbered("guest%02d@example.com", i);
        recipients.typed.push_back(address);
        recipients.addresses.insert(address);
    }
    recipients.typed.push_back("Course team");
    recipients.typed.push_back("guest07@example.com");
    recipients.typed.push_back("member10@example.net");
    return recipients;
}
