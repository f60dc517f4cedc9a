// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "config/config_record.h"

namespace korvaset {

// Each profile's digipeater path as the image stores it, written so that it encodes to the
// same addresses again. The decoded path text drops a blank address at the start or the
// end; this one keeps it. Nothing, without a message, for an image that DecodeImage refuses.
std::optional<PerProfile<std::string>> StoredDigiPaths(std::span<const std::uint8_t> image);

}  // namespace korvaset
