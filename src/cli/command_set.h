// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvaset {

// Exit statuses of korvaset-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the operation failed, and what went wrong was shown
inline constexpr int kExitUsage = 2;   // bad usage; nothing was done

// What a chosen command does once its arguments are parsed; returns the exit status.
using CommandAction = std::function<int()>;

// The program's commands. A command file adds its subcommand with one call in main.cpp.
class CommandSet {
 public:
  explicit CommandSet(CLI::App& app);

  // Adds a subcommand that runs action when the user chooses it; its options and
  // arguments go on the subcommand returned.
  CLI::App& Add(const std::string& name, const std::string& description, CommandAction action);

  // The program itself, for options that all commands share.
  CLI::App& App() { return app_; }

  // Parses the command line and runs the chosen command; returns the exit status.
  int Run(int argc, char** argv);

 private:
  CLI::App& app_;
  std::vector<std::pair<CLI::App*, CommandAction>> commands_;
};

// Reports a failure of the command line's own as "korvaset-cli: text" on stderr.
void PrintError(std::string_view text);

// Flushes standard output: kExitOk, or kExitFailed after saying that it could not be written
// (a full disk must not pass for success).
int FinishOutput();

}  // namespace korvaset
