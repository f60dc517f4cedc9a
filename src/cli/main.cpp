// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// korvaset-cli: the configuration operations of Korvaset for scripts and terminals.
#include <csignal>

#include "cli/command_set.h"
#include "cli/device_commands.h"
#include "cli/diff_command.h"
#include "cli/documentation_commands.h"
#include "cli/export_command.h"
#include "cli/hex_command.h"
#include "cli/import_command.h"
#include "cli/new_command.h"
#include "cli/set_command.h"
#include "cli/show_command.h"
#include "version.h"

int main(int argc, char** argv) {
#ifdef SIGXFSZ
  // Past a file size limit a write then fails, and a save undoes what it wrote, instead of
  // the program ending with a file written in place cut half-way.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  CLI::App app{"Configure a Korvalink tracker and its configuration files.", "korvaset-cli"};
  app.set_version_flag("--version", korvaset::VersionText("korvaset-cli"));
  korvaset::CommandSet commands(app);
  korvaset::AddNewCommand(commands);
  korvaset::AddShowCommand(commands);
  korvaset::AddSetCommand(commands);
  korvaset::AddHexCommand(commands);
  korvaset::AddExportCommand(commands);
  korvaset::AddImportCommand(commands);
  korvaset::AddDiffCommand(commands);
  korvaset::AddDeviceCommands(commands);
  korvaset::AddDocumentationCommands(commands);
  return commands.Run(argc, argv);
}
