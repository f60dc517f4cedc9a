// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "config/config_record.h"

namespace korvaset {

// A configuration file: "KVLA", the image length (128, little-endian) and the device image.
inline constexpr int kConfigFileSize = 136;

// Writes the record as a configuration file at path. Every failure is shown before it
// returns; an existing file is left as it was when the save fails. Returns true on
// failure (the window ignores it; the command line turns it into its exit status).
bool SaveConfigFile(ConfigRecord& record, const std::string& path);

// Writes the image as it is as a configuration file at path, as SaveConfigFile does.
bool SaveConfigImage(std::span<const std::uint8_t, kImageSize> image, const std::string& path);

// Reads the configuration file at path into the record. True when the record was replaced;
// false after a failure that has been shown, with the record unchanged.
bool LoadConfigFile(ConfigRecord& record, const std::string& path);

// Reads the device image of the configuration file at path without decoding it, with the
// checks and reports of LoadConfigFile. Nothing after a failure that has been shown.
std::optional<std::array<std::uint8_t, kImageSize>> ReadConfigFileImage(const std::string& path);

// Decodes a configuration file's image into the record, as LoadConfigFile does: false after
// a refusal that has been shown, with the record unchanged.
bool DecodeConfigFileImage(ConfigRecord& record, std::span<const std::uint8_t> image);

}  // namespace korvaset
