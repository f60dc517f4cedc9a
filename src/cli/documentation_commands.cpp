// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/documentation_commands.h"

#include <cctype>
#include <iostream>
#include <string>

#include "cli/bash_completion.h"
#include "cli/manual_page.h"
#include "config/config_check.h"
#include "config/field_names.h"
#include "config/record_fields.h"
#include "config/settings_catalogue.h"
#include "version.h"

namespace korvaset {

namespace {

// The COM names that --port takes, besides device paths.
constexpr int kComNameCount = 8;

// Every field in the record's order, from the catalogue: name, where the form shows it, what
// the tracker keeps, the default and the help.
std::string FieldsSection() {
  std::string roff =
      "The names that \\fBshow\\fR prints and \\fBset\\fR takes, in the record's order. "
      "A field of each profile is named \\fBprimary.\\fR\\fINAME\\fR or "
      "\\fBsecondary.\\fR\\fINAME\\fR; the others are shared by both profiles. Numbers are "
      "whole numbers, flags 0 or 1.\n";
  for (const RecordField& field : RecordFields()) {
    const Setting* setting = FindSettingByName(field.name);
    if (setting == nullptr) continue;
    std::string where = setting->IsShown() ? "\"" + SettingHeading(*setting) + "\"" : "not shown";
    where += field.IsPerProfile() ? ", each profile" : ", shared";
    std::string text = "The tracker keeps " + std::string(setting->keeps) +
                       ". Default: " + std::string(setting->defaultValue) + ". " +
                       std::string(setting->help);
    roff += ".TP\n\\fB" + Roff(field.name) + "\\fR (" + Roff(where) + ")\n" + Roff(text) + "\n";
  }
  return roff;
}

// The rules of check, with their ids for --ignore.
std::string ChecksSection() {
  std::string roff =
      "\\fBcheck\\fR prints a line per finding, \\fINAME\\fB: \\fISEVERITY\\fB: "
      "\\fIMESSAGE\\fB [\\fIID\\fB]\\fR, shared fields first, then the Primary's and "
      "the Secondary's in the record's order. An \\fBerror\\fR will not work as meant or is "
      "dropped by the network; a \\fBwarning\\fR works but goes against published APRS "
      "practice; a \\fBnote\\fR informs and never changes the exit status. A .kvc file goes "
      "to the tracker as it is, so the storage rules (does\\-not\\-fit, "
      "stored\\-differently, time\\-rounded) apply to a configuration text only. "
      "\\fBwrite\\fR, \\fBimport\\fR and \\fBset\\fR print the warnings and errors of "
      "what they wrote on standard error, unless \\fB\\-\\-no\\-check\\fR is given.\n";
  for (const CheckRule& rule : CheckRules()) {
    roff += ".TP\n\\fB" + Roff(rule.id) + "\\fR (" + std::string(SeverityName(rule.severity)) +
            ")\n" + Roff(rule.summary) + "\n";
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
           {"CHECKS", ChecksSection()},
           {"EXIT STATUS",
            ".TP\n" + std::to_string(kExitOk) + "\nsuccess\n.TP\n" + std::to_string(kExitFailed) +
                "\nthe operation failed, and what went wrong was shown on standard error\n.TP\n" +
                std::to_string(kExitUsage) + "\nbad usage; nothing was done\n" +
                ".PP\n\\fBcheck\\fR exits as \\fBdiff\\fR(1) does: 0 when nothing is "
                "above a note, 1 for a warning or an error, 2 when the check could not be made "
                "(an unreadable or damaged file, no tracker, bad usage).\n"},
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
