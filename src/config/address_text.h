// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvaset {

// Characters in the name of an AX.25 address.
inline constexpr int kAddressNameLength = 6;

// Room for the longest canonical address text ("ABCDEF-15") and its terminator.
inline constexpr int kAddressTextSize = 10;

// An address as the tracker stores it: six upper-case letters or digits padded with blanks,
// and an SSID from 0 to 15.
struct ParsedAddress {
  std::array<char, kAddressNameLength + 1> name{};  // NUL-terminated
  int ssid = 0;

  bool operator==(const ParsedAddress&) const = default;
};

// Reads the first address of text. Never refuses: characters that can't be part of a name
// are skipped or end the name, and an SSID outside 0..15 becomes 0. A NUL ends the text.
ParsedAddress ParseAddress(std::string_view text);

// Whether the tracker keeps the address text as written, up to letter case and blanks: a
// name of at most six letters and digits, then nothing or a hyphen and an SSID of 0 to 15.
// Any other text is stored cut or rewritten (ParseAddress never refuses).
bool KeepsAddressText(std::string_view text);

// The canonical text of an address as the tracker stores it.
std::string CanonicalAddressText(std::string_view text);

// Rewrites the NUL-terminated address text in buffer into canonical form: the name without
// trailing blanks, then "-SSID" unless the SSID is 0. buffer holds at least kAddressTextSize
// bytes.
void NormalizeAddress(std::span<char> buffer);

// The elements of a comma-separated path text, each the text between two commas; a
// trailing comma adds none. Only the first address of each element counts.
std::vector<std::string_view> SplitPath(std::string_view path);

// Appends one canonical address text to a path text, with a comma before it when the path
// built so far isn't empty.
void AppendPathElement(std::string& path, std::string_view element);

// Joins canonical address texts into a path text that SplitPath parses into the same
// addresses: every element after a comma, and a blank last element written as a blank,
// since an empty one after the last comma would add none.
std::string JoinPathExactly(std::span<const std::string> elements);

}  // namespace korvaset
