// Which controls are usable, the option interlocks and the tone-button captions.
#include <array>

#include "resources/control_ids.h"
#include "resources/window_strings.h"
#include "ui/config_window.h"

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

void ConfigWindow::UpdateControlStates() {
  for (const EnableRule& rule : kEnableRules) {
    Control(rule.governed)->setEnabled(IsChecked(rule.governing) == rule.whenChecked);
  }
  // The captions follow the record, not the "300 Baud packet" box.
  const bool baud300 = record_.baud300[record_.visibleProfile] != 0;
  SetItemText(kIdSendLowTone, baud300 ? kLowTone300Caption : kLowToneCaption);
  SetItemText(kIdSendHighTone, baud300 ? kHighTone300Caption : kHighToneCaption);
}

void ConfigWindow::OnSmartBeaconingEnable() {
  if (IsChecked(kIdSmartBeaconingEnable)) SetChecked(kIdTimeSlottingEnable, false);
  UpdateControlStates();
}

void ConfigWindow::OnTimeSlottingEnable() {
  if (IsChecked(kIdTimeSlottingEnable)) SetChecked(kIdSmartBeaconingEnable, false);
  UpdateControlStates();
}

void ConfigWindow::OnMicEEnable() {
  if (IsChecked(kIdMicEEnable)) SetChecked(kIdSendNmea, false);
  UpdateControlStates();
}

void ConfigWindow::OnSendNmea() {
  if (IsChecked(kIdSendNmea)) {
    SetChecked(kIdMicEEnable, false);
    SetChecked(kIdSendAltitude, false);
  }
  UpdateControlStates();
}

void ConfigWindow::OnTimestampDhm() {
  if (IsChecked(kIdTimestampDhm)) SetChecked(kIdTimestampHms, false);
}

void ConfigWindow::OnTimestampHms() {
  if (IsChecked(kIdTimestampHms)) SetChecked(kIdTimestampDhm, false);
}

void ConfigWindow::OnGroupEnable() {
  UpdateControlStates();
}

}  // namespace korvaset
