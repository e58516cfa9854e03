#pragma once
// Mail for a profile on which a host runs: the files are handed to the
// profile's drop folder, each with the display path of its folder when it is
// not for the Inbox, and the running host delivers them into its store with
// the notifications its add-ins listen to.

#include <string>
#include <vector>

namespace mailhost {

// The profile's drop folder; "" when it has none.
std::string ProfileDropFolder(const std::string& profile);

// 0 once the host has taken every file; 1 when a file cannot be read or
// written, when the host has no folder of that path (`folder`, "" for the
// Inbox), or when the host takes none for a while (what it has not taken
// stays in the drop folder for it). Each failure is reported on stderr.
int DropMail(const std::string& dropFolder, const std::vector<std::string>& files, const std::string& folder);

}  // namespace mailhost
