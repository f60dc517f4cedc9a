// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/new_command.h"

#include <memory>

#include "cli/file_arguments.h"
#include "config/config_record.h"
#include "files/config_file.h"

namespace korvaset {

namespace {

struct NewOptions {
  std::string path;
  bool force = false;
};

int RunNew(const NewOptions& options) {
  if (!MayCreateFile(options.path, options.force)) return kExitFailed;
  ConfigRecord record;
  return SaveConfigFile(record, options.path) ? kExitFailed : kExitOk;
}

}  // namespace

void AddNewCommand(CommandSet& commands) {
  auto options = std::make_shared<NewOptions>();
  CLI::App& command = commands.Add("new", "Write the default configuration to FILE",
                                   [options] { return RunNew(*options); });
  command.add_option("FILE", options->path, "Configuration file to write")->required();
  command.add_flag("--force", options->force, "Replace FILE if it exists");
}

}  // namespace korvaset
