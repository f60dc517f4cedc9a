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

// The record that an edit of the file starts from: the file's text applied to the default
// configuration, which encodes to the file's image wherever the encoder can make it. Nothing
// after the text's problems have been shown.
std::optional<ConfigRecord> EditableRecord(const DescribedFile& file);

// Saves record at path as an edit of file, changing only what the edit changed: the file's
// image as it is when record is still EditableRecord's, else the image encoded from record
// with the file's step bytes for the times record holds as the file shows them. True on
// failure, as SaveConfigFile.
bool SaveEditedFile(ConfigRecord& record, const DescribedFile& file, const std::string& path);

}  // namespace korvaset
