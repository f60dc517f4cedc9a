// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <gtest/gtest.h>

#include "config/record_fields.h"
#include "config/settings_catalogue.h"
#include "resources/dialog_template.h"

namespace korvaset {
namespace {

// A new field or control can't go without its explanation.
TEST(SettingsCatalogue, EveryFieldAndControlHasAnEntry) {
  for (const RecordField& field : RecordFields()) {
    EXPECT_NE(FindSettingByName(field.name), nullptr) << field.name;
  }
  for (const ControlDef& control : ConfigWindowTemplate().controls) {
    if (control.id == kStaticId) continue;
    const Setting* setting = FindSettingByControl(control.id);
    ASSERT_NE(setting, nullptr) << control.id;
    EXPECT_FALSE(setting->help.empty()) << control.id;
  }
  for (const Setting& setting : Settings()) {
    if (!setting.IsShown()) continue;
    const auto controls = ConfigWindowTemplate().controls;
    EXPECT_TRUE(std::any_of(controls.begin(), controls.end(), [&](const ControlDef& c) {
      return c.id == setting.controlId;
    })) << setting.label;
  }
}

TEST(SettingsCatalogue, TooltipStartsWithGroupLabelAndUnit) {
  const Setting* slowRate = FindSettingByName("secondary.sbSlowRate");
  ASSERT_NE(slowRate, nullptr);
  EXPECT_TRUE(SettingTooltip(*slowRate).starts_with("SmartBeaconing: Slow Rate (seconds)\n"));
  EXPECT_EQ(FindSettingByName("waypointChars")->label, "Num Chars");
}

}  // namespace
}  // namespace korvaset
