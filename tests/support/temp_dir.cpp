// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "support/temp_dir.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

#include "platform/utf8_path.h"

namespace korvaset::testing {

TempDir::TempDir() {
  // Creating a folder is exclusive, so a name someone else took costs only another try.
  std::random_device random;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[32];
    std::snprintf(name, sizeof name, "korvaset-test-%08x", static_cast<unsigned>(random()));
    root_ = base / name;
    if (std::filesystem::create_directory(root_)) return;
  }
  throw std::runtime_error("no temporary folder could be made");
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

std::string TempDir::Path(const std::string& name) const {
  return Utf8String(root_ / Utf8Path(name));
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(Utf8Path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(Utf8Path(path), std::ios::binary) << bytes;
}

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(Utf8String(entry.path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace korvaset::testing
