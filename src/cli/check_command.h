// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "cli/command_set.h"
#include "config/config_check.h"

namespace korvaset {

// The tracker's image for check --port, or nothing after the failure has been shown.
using TrackerImageReader = std::function<std::optional<std::array<std::uint8_t, kImageSize>>()>;

// check [FILE] [--ignore ID,...]: a .kvc file's image, a configuration text (told apart by
// the KVLA magic), or, without FILE, the tracker that readTracker reads. portGiven says
// whether --port was given. The caller adds the port options to the command returned.
CLI::App& AddCheckCommand(CommandSet& commands, std::function<bool()> portGiven,
                          TrackerImageReader readTracker);

// --no-check for write, import and set.
void AddNoCheckFlag(CLI::App& command, bool& noCheck);

// After write, import and set: the warnings and errors of what they wrote, on stderr.
void PrintWrittenFindings(std::span<const Finding> findings);

}  // namespace korvaset
