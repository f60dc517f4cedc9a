#pragma once

#include "cli/command_set.h"

namespace korvaset {

// import TEXT FILE: the configuration file that a configuration text describes.
void AddImportCommand(CommandSet& commands);

}  // namespace korvaset
