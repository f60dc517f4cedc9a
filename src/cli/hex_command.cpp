// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/hex_command.h"

#include <cstdio>
#include <memory>

#include "files/config_file.h"

namespace korvaset {

namespace {

constexpr int kBytesPerLine = 16;

// The bytes as the file holds them, not decoded and encoded again: a round trip through
// the record would move values that the image holds in steps.
int RunHex(const std::string& path) {
  const auto image = ReadConfigFileImage(path);
  if (!image) return kExitFailed;
  for (int i = 0; i < kImageSize; ++i) {
    std::printf("%s%02X", i % kBytesPerLine == 0 ? "" : " ", (*image)[i]);
    if (i % kBytesPerLine == kBytesPerLine - 1) std::putchar('\n');
  }
  return FinishOutput();
}

}  // namespace

void AddHexCommand(CommandSet& commands) {
  auto path = std::make_shared<std::string>();
  CLI::App& command = commands.Add("hex", "Print the device image in FILE as hexadecimal bytes",
                                   [path] { return RunHex(*path); });
  command.add_option("FILE", *path, "Configuration file to read")->required();
}

}  // namespace korvaset
