// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include "cli/command_set.h"

namespace korvaset {

// new FILE [--force]: writes the default configuration.
void AddNewCommand(CommandSet& commands);

}  // namespace korvaset
