// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/config_text.h"

namespace korvaset {

// A configuration file's image, and its fields as a configuration text gives them.
struct DescribedFile {
  std::array<std::uint8_t, kImageSize> image;
  std::vector<TextField> fields;
};

// Reads the configuration file at path, with the checks and reports of loading it.
// Nothing after a failure that has been shown.
std::optional<DescribedFile> LoadDescribedFile(const std::string& path);

}  // namespace korvaset
