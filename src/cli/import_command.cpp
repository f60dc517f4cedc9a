// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/import_command.h"

#include <cstdio>
#include <memory>

#include "cli/check_command.h"
#include "cli/described_file.h"
#include "cli/file_arguments.h"
#include "config/config_check.h"
#include "config/config_text.h"
#include "files/config_file.h"

namespace korvaset {

namespace {

// An exported text is a few kilobytes; reading stops well before a large file wastes time.
constexpr std::size_t kMaxTextSize = 256 * 1024;

// Enough to mend a text by hand; a file that is no text at all would list every line.
constexpr std::size_t kProblemsShown = 20;

struct ImportOptions {
  std::string text;
  std::string path;
  std::string base;
  bool force = false;
  bool noCheck = false;
};

}  // namespace

std::optional<std::string> ReadText(const std::string& path, int& status) {
  std::FILE* in = path == "-" ? stdin : OpenInputFile(path);
  if (in == nullptr) {
    PrintError("cannot read " + path);
    status = kExitFailed;
    return std::nullopt;
  }
  std::string text(kMaxTextSize + 1, '\0');
  const std::size_t got = std::fread(text.data(), 1, text.size(), in);
  const bool failed = std::ferror(in) != 0;
  if (in != stdin) std::fclose(in);
  if (failed) {
    PrintError("could not read " + path);
    status = kExitFailed;
    return std::nullopt;
  }
  if (got > kMaxTextSize) {
    PrintError(path + " is larger than " + std::to_string(kMaxTextSize / 1024) +
               " KiB, too large for a configuration text");
    status = kExitUsage;
    return std::nullopt;
  }
  text.resize(got);
  return text;
}

bool Apply(std::string_view text, ConfigRecord& record) {
  const std::vector<TextProblem> problems = ApplyConfigText(text, record);
  for (std::size_t i = 0; i < problems.size() && i < kProblemsShown; ++i) {
    PrintError(problems[i].Describe());
  }
  if (problems.size() > kProblemsShown) {
    PrintError("and " + std::to_string(problems.size() - kProblemsShown) + " more problems");
  }
  return problems.empty();
}

namespace {

int RunImport(const ImportOptions& options) {
  if (!MayCreateFile(options.path, options.force)) return kExitFailed;
  int status = kExitOk;
  const auto text = ReadText(options.text, status);
  if (!text) return status;

  ConfigRecord record;
  if (!options.base.empty()) {
    // Through its text, so that the base's times keep their steps.
    const auto base = LoadDescribedFile(options.base);
    if (!base || !Apply(FormatConfigText(base->fields), record)) return kExitFailed;
  }
  if (!Apply(*text, record)) return kExitUsage;
  if (SaveConfigFile(record, options.path)) return kExitFailed;
  if (!options.noCheck) PrintWrittenFindings(CheckRecord(record));
  return kExitOk;
}

}  // namespace

void AddImportCommand(CommandSet& commands) {
  auto options = std::make_shared<ImportOptions>();
  CLI::App& command = commands.Add(
      "import",
      "Write the configuration file FILE from TEXT, as korvaset-cli export writes it; names "
      "left out keep the default configuration's values",
      [options] { return RunImport(*options); });
  command.add_option("TEXT", options->text, "Configuration text to read (-: standard input)")
      ->required();
  command.add_option("FILE", options->path, "Configuration file to write")->required();
  command.add_option("--base", options->base,
                     "Start from this configuration file instead of the default configuration");
  command.add_flag("--force", options->force, "Replace FILE if it exists");
  AddNoCheckFlag(command, options->noCheck);
}

}  // namespace korvaset
