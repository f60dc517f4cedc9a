// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace korvaset {

// The text of a fixed, NUL-terminated field (the whole field if it lacks the terminator).
template <std::size_t N>
std::string_view TextOf(const std::array<char, N>& field) {
  const auto end = std::find(field.begin(), field.end(), '\0');
  return std::string_view(field.data(), static_cast<std::size_t>(end - field.begin()));
}

// Copies text into a fixed field, keeping at most N - 1 characters, and zeroes the rest.
template <std::size_t N>
void CopyCut(std::array<char, N>& field, std::string_view text) {
  const std::size_t kept = std::min(text.size(), N - 1);
  std::copy_n(text.begin(), kept, field.begin());
  std::fill(field.begin() + static_cast<std::ptrdiff_t>(kept), field.end(), '\0');
}

}  // namespace korvaset
