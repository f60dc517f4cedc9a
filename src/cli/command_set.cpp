// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/command_set.h"

#include <cstdio>

#include "platform/command_line.h"
#include "platform/interrupt_hold.h"

namespace korvaset {

CommandSet::CommandSet(CLI::App& app) : app_(app) {
  app_.require_subcommand(1);
  // A Windows build would read "/tmp/a.kvc" as an option. Subcommands take this setting
  // from the program when they are added, so it is made before any of them.
  app_.allow_windows_style_options(false);
}

CLI::App& CommandSet::Add(const std::string& name, const std::string& description,
                          CommandAction action) {
  CLI::App* command = app_.add_subcommand(name, description);
  commands_.emplace_back(command, std::move(action));
  return *command;
}

int CommandSet::Run(int argc, char** argv) {
  // File names arrive as UTF-8 on every platform.
  const std::vector<std::string> arguments = CommandLineArguments(argc, argv);
  std::vector<const char*> pointers;
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  try {
    app_.parse(static_cast<int>(pointers.size()), pointers.data());
  } catch (const CLI::ParseError& error) {
    // Prints the help that was asked for, or what was wrong with the command line.
    return app_.exit(error) == 0 ? kExitOk : kExitUsage;
  }
  for (const auto& [command, action] : commands_) {
    if (!command->parsed()) continue;
    const int status = action();
    // An interrupt held back during a write ends the program as it asked, now that the
    // write has been reported.
    return InterruptHold::HeldEndRequest().value_or(status);
  }
  return kExitUsage;
}

void PrintError(std::string_view text) {
  std::fprintf(stderr, "korvaset-cli: %.*s\n", static_cast<int>(text.size()), text.data());
}

int FinishOutput() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    PrintError("could not write the output");
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace korvaset
