// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/show_command.h"

#include <cstdio>
#include <memory>

#include "config/field_names.h"
#include "config/latin1_text.h"
#include "config/record_fields.h"
#include "files/config_file.h"

namespace korvaset {

namespace {

// Texts are kept in Latin-1 and shown in UTF-8, as set takes them.
void PrintField(const ConfigRecord& record, const RecordField& field, int profile) {
  const std::string line =
      FieldName(field, profile) + " = " + Latin1ToUtf8(FormatField(record, field, profile)) + "\n";
  std::fwrite(line.data(), 1, line.size(), stdout);
}

// The shared fields first, then each per-profile field for the Primary and the Secondary,
// all in the order the record declares them.
int RunShow(const std::string& path) {
  ConfigRecord record;
  if (!LoadConfigFile(record, path)) return kExitFailed;
  for (const RecordField& field : RecordFields()) {
    if (!field.IsPerProfile()) PrintField(record, field, 0);
  }
  for (const RecordField& field : RecordFields()) {
    if (!field.IsPerProfile()) continue;
    for (int p = 0; p < kProfileCount; ++p) PrintField(record, field, p);
  }
  return FinishOutput();
}

}  // namespace

void AddShowCommand(CommandSet& commands) {
  auto path = std::make_shared<std::string>();
  CLI::App& command =
      commands.Add("show", "Print every field of the configuration in FILE as name = value",
                   [path] { return RunShow(*path); });
  command.add_option("FILE", *path, "Configuration file to read")->required();
}

}  // namespace korvaset
