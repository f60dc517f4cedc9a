// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include "cli/command_set.h"

namespace korvaset {

// hex FILE: the file's 128 image bytes, 16 to a line.
void AddHexCommand(CommandSet& commands);

}  // namespace korvaset
