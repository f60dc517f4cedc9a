// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include "cli/command_set.h"

namespace korvaset {

// set FILE NAME=VALUE...: changes fields of the configuration in FILE.
void AddSetCommand(CommandSet& commands);

}  // namespace korvaset
