// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui/latin1_text.h"

#include <QList>

namespace korvaset {

std::string ToLatin1(const QString& text) {
  std::string bytes;
  // One '?' per character, also for one beyond the 16-bit range.
  for (const uint c : text.toUcs4()) bytes.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
  return bytes;
}

QString FromLatin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace korvaset
