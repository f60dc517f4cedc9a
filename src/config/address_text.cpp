// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "config/address_text.h"

#include <algorithm>

namespace korvaset {

namespace {

bool IsLetterOrDigit(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool IsWhiteSpace(unsigned char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// Reads a decimal number the way atoi does: white space, an optional sign, digits. Only
// 0..15 matter to the caller, so anything larger is reported as 16 instead of overflowing.
int ReadSsid(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsWhiteSpace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min(value * 10 + (text[i] - '0'), 16);
  }
  return negative ? -value : value;
}

}  // namespace

ParsedAddress ParseAddress(std::string_view text) {
  ParsedAddress address;
  const std::size_t end = std::min(text.find('\0'), text.size());
  int length = 0;
  std::size_t i = 0;
  for (; i < end; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsLetterOrDigit(c)) {
      if (length < kAddressNameLength) {
        address.name[length++] = static_cast<char>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
      }
    } else if (c > 32 && c < 128) {
      break;  // punctuation, '-' and ',' among it, ends the name
    }
  }
  std::fill(address.name.begin() + length, address.name.end() - 1, ' ');
  address.name.back() = '\0';
  if (i < end && text[i] == '-') address.ssid = ReadSsid(text.substr(i + 1, end - i - 1));
  if (address.ssid < 0 || address.ssid > 15) address.ssid = 0;
  return address;
}

bool KeepsAddressText(std::string_view text) {
  std::string packed;
  for (const char c : text) {
    if (c != ' ' && c != '\t') packed += c;
  }
  std::size_t at = 0;
  while (at < packed.size() && IsLetterOrDigit(static_cast<unsigned char>(packed[at]))) ++at;
  if (at > static_cast<std::size_t>(kAddressNameLength)) return false;
  if (at == packed.size()) return true;
  const std::string_view ssid = std::string_view(packed).substr(at + 1);
  return packed[at] == '-' && !ssid.empty() && ssid.size() <= 2 &&
         ssid.find_first_not_of("0123456789") == std::string_view::npos && ReadSsid(ssid) <= 15;
}

std::string CanonicalAddressText(std::string_view text) {
  const ParsedAddress address = ParseAddress(text);
  const std::string_view name(address.name.data(), kAddressNameLength);
  std::string canonical(name.substr(0, name.find_last_not_of(' ') + 1));
  if (address.ssid != 0) canonical += "-" + std::to_string(address.ssid);
  return canonical;
}

void NormalizeAddress(std::span<char> buffer) {
  if (buffer.empty()) return;
  const auto end = std::find(buffer.begin(), buffer.end(), '\0');
  const std::string canonical = CanonicalAddressText(
      std::string_view(buffer.data(), static_cast<std::size_t>(end - buffer.begin())));
  const std::size_t kept = std::min(canonical.size(), buffer.size() - 1);
  std::copy_n(canonical.begin(), kept, buffer.begin());
  buffer[kept] = '\0';
}

std::vector<std::string_view> SplitPath(std::string_view path) {
  std::vector<std::string_view> elements;
  std::size_t position = 0;
  while (position < path.size()) {
    const std::size_t comma = path.find(',', position);
    if (comma == std::string_view::npos) {
      elements.push_back(path.substr(position));
      break;
    }
    elements.push_back(path.substr(position, comma - position));
    position = comma + 1;
  }
  return elements;
}

void AppendPathElement(std::string& path, std::string_view element) {
  if (!path.empty()) path += ',';
  path += element;
}

std::string JoinPathExactly(std::span<const std::string> elements) {
  std::string path;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (i > 0) path += ',';
    path += elements[i].empty() && i + 1 == elements.size() ? " " : elements[i];
  }
  return path;
}

}  // namespace korvaset
