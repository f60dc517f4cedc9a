// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/set_command.h"

#include <memory>
#include <utility>
#include <vector>

#include "cli/check_command.h"
#include "config/field_names.h"
#include "config/latin1_text.h"
#include "config/record_fields.h"
#include "files/config_file.h"

namespace korvaset {

namespace {

struct SetOptions {
  std::string path;
  std::vector<std::string> assignments;
  bool noCheck = false;
};

struct Assignment {
  NamedField target;
  std::string value;
};

// Every assignment is checked before the file is touched; each bad one is named.
std::optional<std::vector<Assignment>> ParseAssignments(const std::vector<std::string>& texts) {
  std::vector<Assignment> assignments;
  bool valid = true;
  for (const std::string& text : texts) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) {
      PrintError("expected NAME=VALUE, not \"" + text + "\"");
      valid = false;
      continue;
    }
    const std::string name = text.substr(0, equals);
    std::string value = text.substr(equals + 1);
    const std::optional<NamedField> target = FindNamedField(name);
    if (!target) {
      PrintError("unknown field \"" + name + "\" (korvaset-cli show FILE lists them)");
      valid = false;
      continue;
    }
    const FieldKind kind = target->field->Kind();
    if (kind == FieldKind::kText || kind == FieldKind::kCharacter) {
      // Typed in UTF-8; the record keeps Latin-1.
      Latin1Text latin1 = Utf8ToLatin1(value);
      if (!latin1.problem.empty()) {
        PrintError(name + ": " + latin1.problem);
        valid = false;
        continue;
      }
      value = std::move(latin1.text);
    }
    if (const auto problem = CheckFieldValue(*target->field, value)) {
      PrintError(name + ": " + *problem);
      valid = false;
      continue;
    }
    assignments.push_back({*target, value});
  }
  if (!valid) return std::nullopt;
  return assignments;
}

int RunSet(const SetOptions& options) {
  const auto assignments = ParseAssignments(options.assignments);
  if (!assignments) return kExitUsage;
  ConfigRecord record;
  if (!LoadConfigFile(record, options.path)) return kExitFailed;
  for (const Assignment& a : *assignments) {
    SetField(record, *a.target.field, a.target.profile, a.value);
  }
  if (SaveConfigFile(record, options.path)) return kExitFailed;
  if (!options.noCheck) PrintWrittenFindings(CheckRecord(record));
  return kExitOk;
}

}  // namespace

void AddSetCommand(CommandSet& commands) {
  auto options = std::make_shared<SetOptions>();
  CLI::App& command = commands.Add(
      "set",
      "Change fields of the configuration in FILE; names as korvaset-cli show prints them, "
      "e.g. rxLevel=80 primary.callsign=N0CALL-9 secondary.smartBeaconing=1",
      [options] { return RunSet(*options); });
  command.add_option("FILE", options->path, "Configuration file to change")->required();
  command.add_option("ASSIGNMENTS", options->assignments, "Fields to set, each as NAME=VALUE")
      ->required();
  AddNoCheckFlag(command, options->noCheck);
}

}  // namespace korvaset
