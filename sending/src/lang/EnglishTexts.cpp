#include "LanguageText.h"

namespace {

constexpr LanguageText Texts[] = {
    {1, "OK"},
    {2, "Cancel"},
    {3, "Errors >>"},
    {102, "Errors >>"},
    {106, "MAPI provider connection error."},
    {107, "MAPI provider connection timeout."},
    {108, "MAPI provider connection cancelled by user."},
    {109, "Unexpected Error."},
    {110, "[Unknown recipient name.]"},
    {111, "Close"},
    {117, "Sending cancelled by user."},
    {118, "Unable to resolve one or more email adresses."},
    {119, "At least one user should be entered in the ''To'' field."},
    {120, "All the recipients were excluded when opening the distribution lists. No messages sent."},
    {121, "None of the distribution lists specified in the ''To'' field contain any users (distribution lists with "
          "names starting with ''exclude'' are out of consideration)."},
    {122, "Unknown sending error."},
    {123, "%1 of %2 prepared messages were withdrawn from sending."},
    {201, "Preparing messages for sending..."},
    {202, "Cancel sending"},
    {203, "0"},
    {207, "Attempt to cancel message sending and mode them to the Deleted Items"},
    {208, "Attempt to cancel message sending and permanently delete them"},
    {209, "%i prepared for sending, some of them probably have already been sent."},
    {1011, "[No distribution list name specified]"},
    {1031, "<< Errors"},
    {1032, "Task is completed"},
    {1033, "Solvenda Report"},
    {2021, "Please wait, preparing messages for sending..."},
    {2051, "Leave unchanged"},
    {2061, "Attempt to cancel message sending and keep them in the Outbox"},
    {2062, "Close report window automatically"},
    {2063, "Preparing messages for sending..."},
    {2064, "Save Report..."},
    {2065, "Report:"},
    {2100, "Errors"},
    {5000, "Errors"},
    {5001, "Prepared for sending:"},
    {5002, "Sending terminated by user."},
    {5003, "Choose the action to be done with messages prepared for sending:"},
};

}  // namespace

std::span<const LanguageText> EnglishTexts()
{
    return Texts;
}
