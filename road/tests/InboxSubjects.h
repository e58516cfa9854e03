#pragma once
// The subjects of the messages in a profile's Inbox, as `mapitool
// messages` lists them.

#include "RoadPrograms.h"

#include <string>
#include <vector>

std::vector<std::string> InboxSubjects(RoadPrograms& programs, const std::string& profile);
