// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <string>
#include <vector>

namespace korvaset {

// The program's arguments as UTF-8, argv[0] first. On Windows they come from the wide
// command line, since main's argv holds only what the ANSI code page can spell.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace korvaset
