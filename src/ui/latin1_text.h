// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

namespace korvaset {

// The record's single-byte text from a widget's text: Latin-1, '?' for what Latin-1 lacks.
std::string ToLatin1(const QString& text);

// A widget's text from the record's single-byte text.
QString FromLatin1(std::string_view text);

}  // namespace korvaset
