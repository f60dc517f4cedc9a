// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include "cli/command_set.h"

namespace korvaset {

// show FILE: every field the file carries, one "name = value" a line.
void AddShowCommand(CommandSet& commands);

}  // namespace korvaset
