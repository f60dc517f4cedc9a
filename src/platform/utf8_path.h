// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace korvaset {

// Paths travel through the program as UTF-8 text. std::filesystem takes them as UTF-8 on
// every platform this way; on Windows a plain std::string would go through the ANSI code
// page and lose every character outside it.
inline std::filesystem::path Utf8Path(std::string_view text) {
  return std::filesystem::path(
      std::u8string_view(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

inline std::string Utf8String(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace korvaset
