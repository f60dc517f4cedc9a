// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "config/latin1_text.h"

#include <cstdio>

namespace korvaset {

std::string Latin1ToUtf8(std::string_view latin1) {
  std::string utf8;
  utf8.reserve(latin1.size());
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      utf8.push_back(c);
    } else {
      utf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
    }
  }
  return utf8;
}

std::optional<std::pair<char32_t, std::size_t>> NextCodePoint(std::string_view text,
                                                              std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return std::pair{char32_t{lead}, std::size_t{1}};
  std::size_t length = 0;
  char32_t point = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    point = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (at + length > text.size()) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    point = (point << 6) | (next & 0x3F);
  }
  return std::pair{point, length};
}

std::string NotLatin1Problem(std::string_view sequence, char32_t point) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(point));
  return "\"" + std::string(sequence) + "\" (" + code +
         ") is not a Latin-1 character; the tracker keeps one byte per character";
}

Latin1Text Utf8ToLatin1(std::string_view utf8) {
  std::string latin1;
  for (std::size_t at = 0; at < utf8.size();) {
    const auto point = NextCodePoint(utf8, at);
    if (!point) return {"", "the text is not UTF-8"};
    if (point->first > 0xFF) {
      return {"", NotLatin1Problem(utf8.substr(at, point->second), point->first)};
    }
    latin1 += static_cast<char>(point->first);
    at += point->second;
  }
  return {latin1, ""};
}

}  // namespace korvaset
