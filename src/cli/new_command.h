#pragma once

#include "cli/command_set.h"

namespace korvaset {

// new FILE [--force]: writes the default configuration.
void AddNewCommand(CommandSet& commands);

}  // namespace korvaset
