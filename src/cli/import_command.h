// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include "cli/command_set.h"

namespace korvaset {

// import TEXT FILE: the configuration file that a configuration text describes.
void AddImportCommand(CommandSet& commands);

}  // namespace korvaset
