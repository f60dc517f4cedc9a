// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// Which controls are usable, the option interlocks and the tone-button captions.
#include <array>

#include "form/config_form.h"
#include "form/dialog_items.h"
#include "resources/control_ids.h"
#include "resources/window_strings.h"

namespace korvaset {

namespace {

struct EnableRule {
  int governed;
  int governing;
  bool whenChecked;  // false: enabled while the governing box is clear
};

// In the order the refresh applies them.
constexpr std::array kEnableRules{
    EnableRule{kIdSbSlowSpeed, kIdSmartBeaconingEnable, true},
    EnableRule{kIdSbSlowRate, kIdSmartBeaconingEnable, true},
    EnableRule{kIdSbFastSpeed, kIdSmartBeaconingEnable, true},
    EnableRule{kIdSbFastRate, kIdSmartBeaconingEnable, true},
    EnableRule{kIdSbMinTurnAngle, kIdSmartBeaconingEnable, true},
    EnableRule{kIdSbTurnSlope, kIdSmartBeaconingEnable, true},
    EnableRule{kIdSbMinTurnTime, kIdSmartBeaconingEnable, true},
    EnableRule{kIdAutoTxRate, kIdSmartBeaconingEnable, false},
    EnableRule{kIdSlotOffset, kIdTimeSlottingEnable, true},
    EnableRule{kIdForcePrintable, kIdMicEEnable, true},
    EnableRule{kIdMicEMessage, kIdMicEEnable, true},
    EnableRule{kIdMicEPath, kIdMicEEnable, true},
    EnableRule{kIdPowerSwitchTime, kIdPowerSwitchEnable, true},
    EnableRule{kIdWaypointChars, kIdWaypointEnable, true},
};

}  // namespace

void ConfigForm::UpdateControlStates() {
  for (const EnableRule& rule : kEnableRules) {
    items_.EnableItem(rule.governed, items_.IsItemChecked(rule.governing) == rule.whenChecked);
  }
  // The captions follow the record, not the "300 Baud packet" box.
  const bool baud300 = record_.baud300[record_.visibleProfile] != 0;
  SetItemText(kIdSendLowTone, baud300 ? kLowTone300Caption : kLowToneCaption);
  SetItemText(kIdSendHighTone, baud300 ? kHighTone300Caption : kHighToneCaption);
}

void ConfigForm::OnSmartBeaconingEnable() {
  if (items_.IsItemChecked(kIdSmartBeaconingEnable)) items_.CheckItem(kIdTimeSlottingEnable, false);
  UpdateControlStates();
}

void ConfigForm::OnTimeSlottingEnable() {
  if (items_.IsItemChecked(kIdTimeSlottingEnable)) items_.CheckItem(kIdSmartBeaconingEnable, false);
  UpdateControlStates();
}

void ConfigForm::OnMicEEnable() {
  if (items_.IsItemChecked(kIdMicEEnable)) items_.CheckItem(kIdSendNmea, false);
  UpdateControlStates();
}

void ConfigForm::OnSendNmea() {
  if (items_.IsItemChecked(kIdSendNmea)) {
    items_.CheckItem(kIdMicEEnable, false);
    items_.CheckItem(kIdSendAltitude, false);
  }
  UpdateControlStates();
}

void ConfigForm::OnTimestampDhm() {
  if (items_.IsItemChecked(kIdTimestampDhm)) items_.CheckItem(kIdTimestampHms, false);
}

void ConfigForm::OnTimestampHms() {
  if (items_.IsItemChecked(kIdTimestampHms)) items_.CheckItem(kIdTimestampDhm, false);
}

void ConfigForm::OnGroupEnable() {
  UpdateControlStates();
}

}  // namespace korvaset
