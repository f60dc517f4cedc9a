// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/record_fields.h"

namespace korvaset {

// A field as show and set name it: a shared field under its own name, a per-profile field
// as primary.NAME or secondary.NAME.
struct NamedField {
  const RecordField* field;
  int profile;  // 0 for a shared field
};

std::string FieldName(const RecordField& field, int profile);

// The field that name stands for, or nothing.
std::optional<NamedField> FindNamedField(std::string_view name);

}  // namespace korvaset
