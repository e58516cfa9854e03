#pragma once
// `mailhost account`: sets, prints or removes the mail account of a
// profile. The password is copied from the file given into a file of the
// profile's folder that only its owner may read; it never goes into the
// registry, onto the standard output or onto a command line.

#include "HostOptions.h"

namespace mailhost {

// 0 when done; 1 (with the reason on stderr) when the profile does not
// exist, a URL is not of the right scheme or a file cannot be read.
int AccountCommand(const HostOptions& options);

}  // namespace mailhost
