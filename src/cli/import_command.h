// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/command_set.h"
#include "config/config_record.h"

namespace korvaset {

// import TEXT FILE: the configuration file that a configuration text describes.
void AddImportCommand(CommandSet& commands);

// The configuration text at path ("-": standard input), or nothing after saying why, with
// the exit status in status.
std::optional<std::string> ReadText(const std::string& path, int& status);

// Applies a configuration text to record, as import does; false after naming its problems.
bool Apply(std::string_view text, ConfigRecord& record);

}  // namespace korvaset
