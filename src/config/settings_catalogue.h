// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace korvaset {

// One setting as the user meets it: a control of the configuration window, or a record field
// that the form doesn't show. Tooltips, the manual page and the check's messages read these.
struct Setting {
  int controlId;  // the window's control id; kNotShown for a field the form doesn't show
  // The field as show and set name it, without the primary./secondary. prefix; for a control
  // that is no field, the command or option that does the same ("read", "--port").
  std::string_view cliName;
  std::string_view group;         // caption of the frame the control lies in; empty outside a frame
  std::string_view label;         // label or caption, without the colon ("Slow Rate", "Enable")
  std::string_view unit;          // empty where the form gives none
  std::string_view keeps;         // what the tracker keeps; reads after "The tracker keeps "
  std::string_view defaultValue;  // empty for controls that hold no value
  std::string_view help;          // one or two plain sentences

  static constexpr int kNotShown = 0;

  bool IsShown() const { return controlId != kNotShown; }
};

// Every entry: the window's controls in layout order, then the fields the form doesn't show.
std::span<const Setting> Settings();

// The entry of a control id, or nullptr.
const Setting* FindSettingByControl(int controlId);

// The entry of a field by its CLI name, with or without the primary./secondary. prefix
// ("sbSlowRate", "primary.sbSlowRate"), or of a command or option named by cliName; nullptr
// when there is none. Where two controls show one field (the waypoint Enable box and Num
// Chars), the edit's entry.
const Setting* FindSettingByName(std::string_view cliName);

// "Group: Label (unit)", leaving out what the entry doesn't have ("Callsign",
// "SmartBeaconing: Slow Rate (seconds)").
std::string SettingHeading(const Setting& setting);

// The heading, then what the tracker keeps with the default, then the help, a line each.
std::string SettingTooltip(const Setting& setting);

}  // namespace korvaset
