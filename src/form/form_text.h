// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <string>
#include <string_view>

namespace korvaset {

// Reads a number as atoi does: leading white space, an optional sign, then decimal digits up
// to the first other character; no digits give 0. Beyond the range of int it saturates at
// INT_MAX or INT_MIN instead of overflowing.
int ParseNumber(std::string_view text);

// Whether two texts are equal, ASCII letters compared without regard to case.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace korvaset
