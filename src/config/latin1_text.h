// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace korvaset {

// The record keeps one Latin-1 byte per character; terminals and text files speak UTF-8.

// UTF-8 from Latin-1 text, such as a text field or the tracker's banner.
std::string Latin1ToUtf8(std::string_view latin1);

// The code point of the UTF-8 sequence at text[at], and its length; nothing when it is none.
std::optional<std::pair<char32_t, std::size_t>> NextCodePoint(std::string_view text,
                                                              std::size_t at);

// Why a character can't be stored: the sequence as typed and its code point.
std::string NotLatin1Problem(std::string_view sequence, char32_t point);

// Latin-1 from UTF-8 text, or why it can't be: bytes that aren't UTF-8, or a character
// beyond Latin-1.
struct Latin1Text {
  std::string text;
  std::string problem;  // empty when the text converted
};
Latin1Text Utf8ToLatin1(std::string_view utf8);

}  // namespace korvaset
