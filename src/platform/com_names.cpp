// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "platform/com_names.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "platform/ascii_text.h"

namespace korvaset {

std::optional<std::string> ProcessEnvironment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

std::string SerialPortInfo::Description() const {
  if (vendorId.empty() && productId.empty()) return {};
  std::string text = vendorId + ":" + productId;
  if (!manufacturer.empty()) text += " " + manufacturer;
  if (!product.empty()) text += " " + product;
  return text;
}

std::optional<int> ComNumber(std::string_view comName) {
  if (!StartsWithIgnoringAsciiCase(comName, "COM")) return std::nullopt;
  std::string_view digits = comName.substr(3);
  const bool negative = !digits.empty() && digits.front() == '-';
  if (negative) digits.remove_prefix(1);
  if (digits.empty()) return std::nullopt;
  long long number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    // Far beyond any port: it only has to stay out of 1..8 without overflowing.
    number = std::min<long long>(number * 10 + (c - '0'), INT_MAX);
  }
  return static_cast<int>(negative ? -number : number);
}

std::string ComEnvironmentVariable(int number) {
  return "KORVASET_COM" + std::to_string(number);
}

}  // namespace korvaset
