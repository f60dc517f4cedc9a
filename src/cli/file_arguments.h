// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <cstdio>
#include <string>

namespace korvaset {

// Whether FILE may be written by a command that creates it: not when it exists and --force
// wasn't given, which is then said.
bool MayCreateFile(const std::string& path, bool force);

// Opens a file named on the command line for reading in binary; nullptr when it can't be.
// The name is UTF-8 on every platform.
std::FILE* OpenInputFile(const std::string& path);

}  // namespace korvaset
