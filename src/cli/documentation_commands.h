// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include "cli/command_set.h"

namespace korvaset {

// Hidden commands that the build runs to write korvaset-cli's manual page and its bash
// completion from the command set itself, so that neither can drift from --help. Added
// last, they still see every command: they run after the whole command line was parsed.
void AddDocumentationCommands(CommandSet& commands);

}  // namespace korvaset
