#pragma once

#include "cli/command_set.h"

namespace korvaset {

// hex FILE: the file's 128 image bytes, 16 to a line.
void AddHexCommand(CommandSet& commands);

}  // namespace korvaset
