#pragma once

#include "win/Types.h"

#include <string>

// A text of the wizard's string table; "" for an id it lacks.
std::string LoadWizardString(UINT id);
