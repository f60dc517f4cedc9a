// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <vector>

namespace korvaset {

// A section of a manual page that the command set can't tell, in roff.
struct ManualSection {
  std::string heading;  // "EXIT STATUS"
  std::string roff;
};

struct ManualPageText {
  std::string summary;                  // what the NAME line says after the program's name
  std::string version;                  // "korvaset-cli 1.0.0.1"
  std::vector<ManualSection> sections;  // after the commands
};

// Writes the manual page of app in section 1, taken from the app itself so that it says what
// --help says: the synopsis of every command, the program's options, and each command with
// its arguments and options. The date is SOURCE_DATE_EPOCH's month when it is set, as
// help2man does, otherwise the current month.
void WriteManualPage(std::ostream& out, const CLI::App& app, const ManualPageText& text);

// Text for roff: backslashes and hyphens escaped, a line never beginning with a control
// character.
std::string Roff(std::string_view text);

}  // namespace korvaset
