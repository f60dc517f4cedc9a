// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include "cli/command_set.h"

namespace korvaset {

// export FILE [OUT]: the configuration as a text that import turns back into the same file.
void AddExportCommand(CommandSet& commands);

}  // namespace korvaset
