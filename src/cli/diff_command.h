// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include "cli/command_set.h"

namespace korvaset {

// diff A B: the fields in which two configuration files differ; exit status as diff(1).
void AddDiffCommand(CommandSet& commands);

}  // namespace korvaset
