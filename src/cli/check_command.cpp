// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/check_command.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "cli/file_arguments.h"
#include "cli/import_command.h"
#include "config/latin1_text.h"
#include "files/config_file.h"

namespace korvaset {

namespace {

// Trouble, as diff has it: the check could not be made.
constexpr int kExitTrouble = 2;

struct CheckOptions {
  std::string path;
  std::vector<std::string> ignore;
};

// Whether the file at path starts with a configuration file's magic; nothing when it can't
// be read, after saying so.
std::optional<bool> IsConfigFile(const std::string& path) {
  std::FILE* in = OpenInputFile(path);
  if (in == nullptr) {
    PrintError("cannot read " + path);
    return std::nullopt;
  }
  char magic[4] = {};
  const std::size_t got = std::fread(magic, 1, sizeof magic, in);
  std::fclose(in);
  return got == sizeof magic && std::memcmp(magic, "KVLA", sizeof magic) == 0;
}

// A .kvc goes to the tracker as it stands, so only the practice rules apply; a text is
// still to be encoded, so the storage rules come first.
std::optional<std::vector<Finding>> CheckFile(const std::string& path) {
  const auto configFile = path == "-" ? std::optional(false) : IsConfigFile(path);
  if (!configFile) return std::nullopt;
  ConfigRecord record;
  if (*configFile) {
    // Loaded first for the messages show gives on a damaged file.
    if (!LoadConfigFile(record, path)) return std::nullopt;
    const auto image = ReadConfigFileImage(path);
    return image ? CheckImage(*image) : std::nullopt;
  }
  int status = kExitOk;
  const auto text = ReadText(path, status);
  // Taken as typed: what the tracker would keep otherwise is among the findings.
  if (!text || !Apply(*text, record, TextValues::kTaken)) return std::nullopt;
  return CheckRecord(record);
}

int RunCheck(const CheckOptions& options, bool portGiven, const TrackerImageReader& readTracker) {
  if (options.path.empty() == !portGiven) {
    PrintError("check takes FILE or --port, one of them");
    return kExitTrouble;
  }
  std::optional<std::vector<Finding>> findings;
  if (options.path.empty()) {
    const auto image = readTracker();
    if (image) findings = CheckImage(*image);
  } else {
    findings = CheckFile(options.path);
  }
  if (!findings) return kExitTrouble;
  DropRules(*findings, options.ignore);
  for (const Finding& finding : *findings)
    std::printf("%s\n", Latin1ToUtf8(FindingLine(finding)).c_str());
  if (FinishOutput() != kExitOk) return kExitTrouble;
  return HasProblems(*findings) ? kExitFailed : kExitOk;
}

}  // namespace

CLI::App& AddCheckCommand(CommandSet& commands, std::function<bool()> portGiven,
                          TrackerImageReader readTracker) {
  auto options = std::make_shared<CheckOptions>();
  CLI::App& command = commands.Add(
      "check",
      "Check the configuration in FILE (a .kvc file or a text that export wrote), or on the "
      "tracker with --port, against APRS practice; exit status 0 clean, 1 warnings or errors, "
      "2 trouble",
      [options, portGiven, readTracker] { return RunCheck(*options, portGiven(), readTracker); });
  command.add_option("FILE", options->path,
                     "Configuration file or text to check (-: a text on standard input)");
  std::vector<std::string> ids;
  for (const CheckRule& rule : CheckRules()) ids.emplace_back(rule.id);
  command.add_option("--ignore", options->ignore, "Rules to leave out, by id, separated by commas")
      ->delimiter(',')
      ->check(CLI::IsMember(ids));
  return command;
}

void AddNoCheckFlag(CLI::App& command, bool& noCheck) {
  command.add_flag("--no-check", noCheck,
                   "Don't print the warnings and errors that check finds in what was written");
}

void PrintWrittenFindings(std::span<const Finding> findings) {
  for (const Finding& finding : findings) {
    if (finding.severity == Severity::kNote) continue;
    std::fprintf(stderr, "%s\n", Latin1ToUtf8(FindingLine(finding)).c_str());
  }
}

}  // namespace korvaset
