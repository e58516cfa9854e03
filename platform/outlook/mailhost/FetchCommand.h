#pragma once
// `mailhost fetch`: new mail from the account's IMAP mailbox now. With a
// host running on the profile the host is asked, so that its add-ins hear of
// the mail; without one this process fetches and exits.

#include <string>

namespace mailhost {

// 0 once fetched (how many on stdout); 1 with the reason on stderr.
int FetchThroughRunningHost(const std::string& profile);
int FetchHere(const std::string& profile);

}  // namespace mailhost
