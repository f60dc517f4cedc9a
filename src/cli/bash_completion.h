// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <CLI/CLI.hpp>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace korvaset {

// What to offer for the value of an option or a positional argument that its checks don't
// list: fixed words and the paths that match a pattern.
struct CompletionValues {
  std::vector<std::string> words;
  std::string pathPattern;  // e.g. "/dev/tty*"; empty for none
  bool wordGoesOn = false;  // no space after it, e.g. after "NAME="
};

// Values by the name of the option or positional argument ("--port", "ASSIGNMENTS").
using CompletionTable = std::map<std::string, CompletionValues, std::less<>>;

// Writes a bash completion script for app, taken from the app itself so that it offers what
// --help shows: the commands, each command's options, the values that a check of an option
// lists (CLI::IsMember), the table's values, and file names for every other value.
void WriteBashCompletion(std::ostream& out, const CLI::App& app, const CompletionTable& table);

}  // namespace korvaset
