// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace korvaset {

// What the manual page and the completion script read from the command set, as --help
// shows it. Hidden commands and options (an empty group) are left out.

std::vector<const CLI::App*> VisibleCommands(const CLI::App& app);

// The options that go by a name, in the order they were added.
std::vector<const CLI::Option*> NamedOptions(const CLI::App& command);

// The positional arguments, in the order they are taken.
std::vector<const CLI::Option*> Positionals(const CLI::App& command);

// "-h", "--help": every name the option answers to.
std::vector<std::string> OptionNames(const CLI::Option& option);

bool TakesValue(const CLI::Option& option);

// The values that a check of the option lists (CLI::IsMember), as --help shows them in
// "TEXT:{low,high}"; empty when no check lists them.
std::vector<std::string> CheckedValues(const CLI::Option& option);

// The option's type as --help shows it, without its checks: "INT" for "INT:{4800,9600}".
std::string TypeName(const CLI::Option& option);

}  // namespace korvaset
