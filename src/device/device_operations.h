// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "config/config_record.h"

namespace korvaset {

// What the window's device buttons and the command line's device commands share: the
// buffers the tracker's replies go into, and the texts that report the outcomes.

// Room for a 29-character version banner and its terminating zero.
inline constexpr std::size_t kBannerBufferSize = 30;
using BannerBuffer = std::array<char, kBannerBufferSize>;
using ImageBuffer = std::array<std::uint8_t, kImageBufferSize>;

inline constexpr std::string_view kVersionCaption = "Korvalink Version";
inline constexpr std::string_view kReadCaption = "Korvalink Read";
inline constexpr std::string_view kWriteCaption = "Korvalink Write";
inline constexpr std::string_view kReadSuccessful = "Read Successful";
inline constexpr std::string_view kReadFailed = "Read Failed";
inline constexpr std::string_view kWriteSuccessful = "Write Successful";

// Whether either profile holds the emergency MIC-E message, enabled or not.
bool HoldsEmergencyMessage(const ConfigRecord& record);

// Asks before an image with the emergency message goes out (OK and Cancel, Cancel the
// default). True when the user answers OK.
bool ConfirmEmergencyWrite();

}  // namespace korvaset
