// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/diff_command.h"

#include <cstdio>
#include <memory>

#include "cli/described_file.h"

namespace korvaset {

namespace {

// As diff(1): the same, different, trouble.
constexpr int kDiffSame = 0;
constexpr int kDiffDifferent = 1;
constexpr int kDiffTrouble = 2;

struct DiffOptions {
  std::string a;
  std::string b;
  bool image = false;
};

int RunDiff(const DiffOptions& options) {
  const auto a = LoadDescribedFile(options.a);
  if (!a) return kDiffTrouble;
  const auto b = LoadDescribedFile(options.b);
  if (!b) return kDiffTrouble;
  bool different = false;
  // Both descriptions list the same fields in the same order.
  for (std::size_t i = 0; i < a->fields.size() && i < b->fields.size(); ++i) {
    const TextField& from = a->fields[i];
    const TextField& to = b->fields[i];
    if (from.value == to.value) continue;
    std::printf("%s: %s -> %s\n", from.name.c_str(), from.value.c_str(), to.value.c_str());
    different = true;
  }
  // The bytes as stored may differ where the fields don't: bytes the tracker ignores.
  for (int i = 0; options.image && i < kImageSize; ++i) {
    if (a->image[i] == b->image[i]) continue;
    std::printf("image byte %d: %02X -> %02X\n", i, a->image[i], b->image[i]);
    different = true;
  }
  if (FinishOutput() != kExitOk) return kDiffTrouble;
  return different ? kDiffDifferent : kDiffSame;
}

}  // namespace

void AddDiffCommand(CommandSet& commands) {
  auto options = std::make_shared<DiffOptions>();
  CLI::App& command = commands.Add(
      "diff",
      "Print each field in which configuration files A and B differ, as name: A -> B; exit "
      "status 0 when they are the same, 1 when they differ, 2 on trouble",
      [options] { return RunDiff(*options); });
  command.add_option("A", options->a, "Configuration file")->required();
  command.add_option("B", options->b, "Configuration file to compare with A")->required();
  command.add_flag("--image", options->image, "Compare the stored image bytes as well");
}

}  // namespace korvaset
