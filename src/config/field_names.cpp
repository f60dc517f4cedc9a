// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "config/field_names.h"

namespace korvaset {

namespace {

constexpr std::string_view kProfileNames[kProfileCount] = {"primary", "secondary"};

}  // namespace

std::string FieldName(const RecordField& field, int profile) {
  if (!field.IsPerProfile()) return std::string(field.name);
  return std::string(kProfileNames[profile]) + "." + std::string(field.name);
}

std::optional<NamedField> FindNamedField(std::string_view name) {
  for (int p = 0; p < kProfileCount; ++p) {
    const std::string prefix = std::string(kProfileNames[p]) + ".";
    if (name.starts_with(prefix)) {
      const RecordField* field = FindRecordField(name.substr(prefix.size()));
      if (field == nullptr || !field->IsPerProfile()) return std::nullopt;
      return NamedField{field, p};
    }
  }
  const RecordField* field = FindRecordField(name);
  if (field == nullptr || field->IsPerProfile()) return std::nullopt;
  return NamedField{field, 0};
}

}  // namespace korvaset
