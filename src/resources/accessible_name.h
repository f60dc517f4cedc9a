// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <string_view>

#include "resources/dialog_template.h"

namespace korvaset {

// What a screen reader calls a control: its label without the colon ("Slow Rate"), else its
// caption without the blanks around it ("Save"), else the name the table gives it ("Port").
inline std::string_view AccessibleNameOf(const ControlDef& def) {
  std::string_view name = def.label;
  if (!name.empty()) {
    if (name.ends_with(':')) name.remove_suffix(1);
    return name;
  }
  name = def.caption;
  while (name.starts_with(' ')) name.remove_prefix(1);
  while (name.ends_with(' ')) name.remove_suffix(1);
  return name.empty() ? def.accessibleName : name;
}

}  // namespace korvaset
