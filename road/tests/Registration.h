#pragma once
// The system set up as ./setup and a new user do it: the registration
// script, the product's data and log folders, and a fresh mail profile.

#include "RoadFolders.h"
#include "RoadPrograms.h"

void RegisterTheSystem(const RoadFolders& folders, RoadPrograms& programs);
