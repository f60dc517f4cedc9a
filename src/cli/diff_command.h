#pragma once

#include "cli/command_set.h"

namespace korvaset {

// diff A B: the fields in which two configuration files differ; exit status as diff(1).
void AddDiffCommand(CommandSet& commands);

}  // namespace korvaset
