// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace korvaset::testing {

// A fresh directory under the system's temporary folder, removed with its files at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  // Paths are UTF-8 text, as the program takes them.
  std::string Path(const std::string& name) const;

 private:
  std::filesystem::path root_;
};

// path is UTF-8.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// The names of the entries of a folder, sorted.
std::vector<std::string> FilesIn(const std::filesystem::path& folder);

}  // namespace korvaset::testing
