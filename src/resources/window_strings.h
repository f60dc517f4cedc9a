// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <string_view>

namespace korvaset {

// Texts of the window that code sets; captions of the controls live in the templates.
inline constexpr std::string_view kAboutMenuText = "&About Korvaset...";
inline constexpr std::string_view kCheckMenuText = "Chec&k Configuration...";
inline constexpr std::string_view kCheckCaption = "Check Configuration";
inline constexpr std::string_view kPrimaryTab = "Primary";
inline constexpr std::string_view kSecondaryTab = "Secondary";
inline constexpr std::string_view kLowToneCaption = "Send 1200 Hz";
inline constexpr std::string_view kHighToneCaption = "Send 2200 Hz";
inline constexpr std::string_view kLowTone300Caption = "Send 1600 Hz";
inline constexpr std::string_view kHighTone300Caption = "Send 1800 Hz";
inline constexpr std::string_view kAboutVersionText = "Korvaset Version 1.0";
inline constexpr std::string_view kAboutCopyrightText = "Copyright (C) 2026";

}  // namespace korvaset
