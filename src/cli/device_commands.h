// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include "cli/command_set.h"

namespace korvaset {

// The commands that talk to a tracker: version, read FILE, write FILE [--yes],
// tone low|high|both|stop, each with --port COMn|PATH and --trace; and ports.
void AddDeviceCommands(CommandSet& commands);

}  // namespace korvaset
