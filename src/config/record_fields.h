// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "config/config_record.h"

namespace korvaset {

// What a field holds, in the order of the alternatives of FieldAccessor.
enum class FieldKind { kNumber, kFlag, kCharacter, kText, kSharedNumber };

// A text field is read as it stands and written through the record's setter, which
// addresses the visible profile.
struct TextAccessor {
  std::string_view (*get)(const ConfigRecord& record, int profile);
  void (ConfigRecord::*set)(std::string_view text);
  int maxLength;  // characters the field keeps
};

using FieldAccessor =
    std::variant<PerProfile<int> ConfigRecord::*, PerProfile<Flag> ConfigRecord::*,
                 PerProfile<char> ConfigRecord::*, TextAccessor, int ConfigRecord::*>;

// One field of ConfigRecord that a configuration file carries, under the record's own name.
struct RecordField {
  std::string_view name;
  FieldAccessor accessor;

  FieldKind Kind() const { return static_cast<FieldKind>(accessor.index()); }
  bool IsPerProfile() const { return Kind() != FieldKind::kSharedNumber; }
};

// Every field the device image carries, in declared order (visibleProfile is not among them).
std::span<const RecordField> RecordFields();

// The field called name, or nullptr.
const RecordField* FindRecordField(std::string_view name);

// The field's value in the given profile (ignored for shared fields): numbers in decimal,
// flags 0 or 1, a character as itself, a text as it stands.
std::string FormatField(const ConfigRecord& record, const RecordField& field, int profile);

// Why value can't be stored in the field, or nothing when it can: a number must be a whole
// decimal int, a flag 0 or 1, a character exactly one character, a text must fit its field.
std::optional<std::string> CheckFieldValue(const RecordField& field, std::string_view value);

// Stores a value that CheckFieldValue accepted. Texts go through the setters, with
// visibleProfile switched to the profile for the call and put back afterwards.
void SetField(ConfigRecord& record, const RecordField& field, int profile, std::string_view value);

}  // namespace korvaset
