// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/documentation_commands.h"

#include <cctype>
#include <iostream>
#include <string>

#include "cli/bash_completion.h"
#include "cli/manual_page.h"
#include "config/field_names.h"
#include "config/record_fields.h"
#include "version.h"

namespace korvaset {

namespace {

// The COM names that --port takes, besides device paths.
constexpr int kComNameCount = 8;

// The field names of one kind, e.g. "callsign (19 characters), digiPath (99 characters)".
std::string FieldList(bool perProfile, FieldKind kind) {
  std::string list;
  for (const RecordField& field : RecordFields()) {
    if (field.IsPerProfile() != perProfile || field.Kind() != kind) continue;
    list += (list.empty() ? "" : ", ") + std::string(field.name);
    if (kind == FieldKind::kText) {
      list +=
          " (" + std::to_string(std::get<TextAccessor>(field.accessor).maxLength) + " characters)";
    }
  }
  return list;
}

std::string FieldsSection() {
  std::string roff =
      "The names that \\fBshow\\fR prints and \\fBset\\fR takes. A field of each profile is "
      "named \\fBprimary.\\fR\\fINAME\\fR or \\fBsecondary.\\fR\\fINAME\\fR.\n";
  const struct {
    bool perProfile;
    FieldKind kind;
    const char* heading;
  } groups[] = {
      {false, FieldKind::kSharedNumber, "Shared by both profiles, whole numbers"},
      {true, FieldKind::kText, "Texts of each profile"},
      {true, FieldKind::kNumber, "Whole numbers of each profile"},
      {true, FieldKind::kCharacter, "Single characters of each profile"},
      {true, FieldKind::kFlag, "Flags of each profile, 0 or 1"},
  };
  for (const auto& group : groups) {
    const std::string list = FieldList(group.perProfile, group.kind);
    if (!list.empty()) roff += ".TP\n" + std::string(group.heading) + "\n" + Roff(list) + "\n";
  }
  return roff;
}

// The licence, one line each, as the pages that help2man makes from --version have it.
std::string LicenceSection() {
  std::string roff;
  for (const std::string_view line : kLicenceNotice) {
    roff += (roff.empty() ? "" : ".br\n") + Roff(line) + "\n";
  }
  return roff;
}

ManualPageText CliManualText(const CLI::App& app) {
  // The NAME line says what the description says: "configure a tracker ..."
  std::string summary = app.get_description();
  if (!summary.empty()) summary[0] = static_cast<char>(std::tolower(summary[0]));
  if (summary.ends_with('.')) summary.pop_back();
  return {
      .summary = summary,
      .version = app.get_name() + " " + std::string(kVersion),
      .sections =
          {{"FIELDS", FieldsSection()},
           {"EXIT STATUS",
            ".TP\n" + std::to_string(kExitOk) + "\nsuccess\n.TP\n" + std::to_string(kExitFailed) +
                "\nthe operation failed, and what went wrong was shown on standard error\n.TP\n" +
                std::to_string(kExitUsage) + "\nbad usage; nothing was done\n"},
           {"ENVIRONMENT",
            ".TP\n\\fBKORVASET_COM1\\fR to \\fBKORVASET_COM" + std::to_string(kComNameCount) +
                "\\fR\nThe device that a COM name opens, e.g. /dev/ttyUSB0. Without it, COM"
                "\\fIn\\fR is the \\fIn\\fR\\-th serial port of the system, USB adapters first; "
                "\\fBkorvaset\\-cli ports\\fR shows which.\n"},
           {"COPYRIGHT", LicenceSection()},
           {"SEE ALSO", "\\fBkorvaset\\fR(1), \\fBkorvalink\\-sim\\fR(1)\n"}},
  };
}

CompletionTable CliCompletionTable() {
  CompletionValues ports;
  ports.pathPattern = "/dev/tty*";
  for (int n = 1; n <= kComNameCount; ++n) ports.words.push_back("COM" + std::to_string(n));
  CompletionValues assignments;
  assignments.wordGoesOn = true;
  for (const RecordField& field : RecordFields()) {
    const int profiles = field.IsPerProfile() ? kProfileCount : 1;
    for (int p = 0; p < profiles; ++p) assignments.words.push_back(FieldName(field, p) + "=");
  }
  return {{"--port", ports}, {"ASSIGNMENTS", assignments}};
}

}  // namespace

void AddDocumentationCommands(CommandSet& commands) {
  const CLI::App& app = commands.App();
  commands
      .Add("manual-page", "",
           [&app] {
             WriteManualPage(std::cout, app, CliManualText(app));
             std::cout.flush();
             return FinishOutput();
           })
      .group("");
  commands
      .Add("bash-completion", "",
           [&app] {
             WriteBashCompletion(std::cout, app, CliCompletionTable());
             std::cout.flush();
             return FinishOutput();
           })
      .group("");
}

}  // namespace korvaset
