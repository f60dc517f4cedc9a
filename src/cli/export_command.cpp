// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/export_command.h"

#include <cstdio>
#include <memory>
#include <span>

#include "cli/described_file.h"
#include "cli/file_arguments.h"
#include "files/replacing_file.h"

namespace korvaset {

namespace {

struct ExportOptions {
  std::string path;
  std::string out = "-";
  bool force = false;
};

// OUT is replaced as a save replaces a configuration file: never half-written.
int WriteOut(const std::string& out, const std::string& text) {
  ReplacingFile file;
  if (!file.Open(out)) {
    PrintError("cannot write to " + out);
    return kExitFailed;
  }
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  if (!file.Write(std::span(bytes, text.size())) || !file.Commit()) {
    PrintError("could not write " + out);
    return kExitFailed;
  }
  return kExitOk;
}

int RunExport(const ExportOptions& options) {
  if (options.out != "-" && !MayCreateFile(options.out, options.force)) return kExitFailed;
  const auto file = LoadDescribedFile(options.path);
  if (!file) return kExitFailed;
  const std::string text = FormatConfigText(file->fields);
  if (options.out == "-") {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return FinishOutput();
  }
  return WriteOut(options.out, text);
}

}  // namespace

void AddExportCommand(CommandSet& commands) {
  auto options = std::make_shared<ExportOptions>();
  CLI::App& command = commands.Add(
      "export",
      "Write the configuration in FILE as text, one \"name = value\" a line, for version "
      "control and review; korvaset-cli import makes the same file of it again",
      [options] { return RunExport(*options); });
  command.add_option("FILE", options->path, "Configuration file to read")->required();
  command.add_option("OUT", options->out, "Text file to write (default: standard output)");
  command.add_flag("--force", options->force, "Replace OUT if it exists");
}

}  // namespace korvaset
