// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/file_arguments.h"

#include <filesystem>
#include <system_error>

#include "cli/command_set.h"
#include "platform/utf8_path.h"

namespace korvaset {

bool MayCreateFile(const std::string& path, bool force) {
  std::error_code error;
  if (force || !std::filesystem::exists(Utf8Path(path), error)) return true;
  PrintError(path + " already exists; use --force to replace it");
  return false;
}

std::FILE* OpenInputFile(const std::string& path) {
#ifdef _WIN32
  // The narrow call would read the name in the ANSI code page.
  return _wfopen(Utf8Path(path).c_str(), L"rb");
#else
  return std::fopen(path.c_str(), "rb");
#endif
}

}  // namespace korvaset
