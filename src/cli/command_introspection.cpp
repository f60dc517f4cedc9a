// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/command_introspection.h"

namespace korvaset {

std::vector<const CLI::App*> VisibleCommands(const CLI::App& app) {
  return app.get_subcommands([](const CLI::App* command) { return !command->get_group().empty(); });
}

std::vector<const CLI::Option*> NamedOptions(const CLI::App& command) {
  return command.get_options([](const CLI::Option* option) {
    return !option->get_group().empty() && option->nonpositional();
  });
}

std::vector<const CLI::Option*> Positionals(const CLI::App& command) {
  return command.get_options([](const CLI::Option* option) {
    return !option->get_group().empty() && !option->nonpositional();
  });
}

std::vector<std::string> OptionNames(const CLI::Option& option) {
  std::vector<std::string> names;
  for (const std::string& name : option.get_snames()) names.push_back("-" + name);
  for (const std::string& name : option.get_lnames()) names.push_back("--" + name);
  return names;
}

bool TakesValue(const CLI::Option& option) {
  return option.get_items_expected_max() > 0;
}

std::vector<std::string> CheckedValues(const CLI::Option& option) {
  const std::string type = option.get_type_name();
  const std::size_t open = type.find(":{");
  const std::size_t close = type.find('}', open);
  if (open == std::string::npos || close == std::string::npos) return {};
  return CLI::detail::split(type.substr(open + 2, close - open - 2), ',');
}

std::string TypeName(const CLI::Option& option) {
  const std::string type = option.get_type_name();
  return type.substr(0, type.find(':'));
}

}  // namespace korvaset
