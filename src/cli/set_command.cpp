// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/set_command.h"

#include <array>
#include <cstdio>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "cli/check_command.h"
#include "cli/described_file.h"
#include "config/field_names.h"
#include "config/kept_values.h"
#include "config/latin1_text.h"
#include "config/record_fields.h"

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
  std::set<std::string> named;
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
    // As import refuses a name given twice: which of the values was meant is anyone's guess.
    if (!named.insert(FieldName(*target->field, target->profile)).second) {
      PrintError(name + " is given more than once");
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

// Names each value that the tracker keeps otherwise than it was given. Once all are set:
// what a TX delay or slotOffset keeps depends on other fields.
void ReportChangedValues(const ConfigRecord& record, const std::vector<Assignment>& assignments) {
  for (const Assignment& a : assignments) {
    const RecordField& field = *a.target.field;
    const KeptValue kept = KeptFieldValue(record, field, a.target.profile);
    if (kept.keeping != Keeping::kChanged) continue;
    std::fprintf(stderr, "%s: %s is kept as %s\n", FieldName(field, a.target.profile).c_str(),
                 Latin1ToUtf8(FormatField(record, field, a.target.profile)).c_str(),
                 Latin1ToUtf8(kept.value).c_str());
  }
}

int RunSet(const SetOptions& options) {
  const auto assignments = ParseAssignments(options.assignments);
  if (!assignments) return kExitUsage;
  const auto file = LoadDescribedFile(options.path);
  if (!file) return kExitFailed;
  auto record = EditableRecord(*file);
  if (!record) return kExitFailed;
  for (const Assignment& a : *assignments) {
    SetField(*record, *a.target.field, a.target.profile, a.value);
  }
  ReportChangedValues(*record, *assignments);
  if (SaveEditedFile(*record, *file, options.path)) return kExitFailed;
  if (!options.noCheck) {
    // Each value that was stored differently has had its own line above.
    auto findings = CheckRecord(*record);
    DropRules(findings, std::array{std::string("stored-differently")});
    PrintWrittenFindings(findings);
  }
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
