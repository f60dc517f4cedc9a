// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The transfers between the form's items and the configuration record, the tab switch and
// the level spins.
#include <span>
#include <string>

#include "config/fixed_text.h"
#include "form/config_form.h"
#include "form/dialog_items.h"
#include "form/form_text.h"
#include "resources/control_ids.h"
#include "resources/dialog_template.h"
#include "resources/window_strings.h"

namespace korvaset {

namespace {

struct NumberField {
  int id;
  PerProfile<int> ConfigRecord::*field;
};

struct SharedNumberField {
  int id;
  int ConfigRecord::*field;
};

struct FlagField {
  int id;
  PerProfile<Flag> ConfigRecord::*field;
};

constexpr std::array kNumberFields{
    NumberField{kIdAutoTxDelay, &ConfigRecord::autoTxDelay},
    NumberField{kIdAutoTxRate, &ConfigRecord::autoTxRate},
    NumberField{kIdManualTxDelay, &ConfigRecord::manualTxDelay},
    NumberField{kIdManualTxRate, &ConfigRecord::manualTxRate},
    NumberField{kIdQuietTime, &ConfigRecord::quietTime},
    NumberField{kIdStatusEvery, &ConfigRecord::statusEvery},
    NumberField{kIdTelemetryRate, &ConfigRecord::telemetryRate},
    NumberField{kIdSlotOffset, &ConfigRecord::slotOffset},
    NumberField{kIdSbSlowSpeed, &ConfigRecord::sbSlowSpeed},
    NumberField{kIdSbSlowRate, &ConfigRecord::sbSlowRate},
    NumberField{kIdSbFastSpeed, &ConfigRecord::sbFastSpeed},
    NumberField{kIdSbFastRate, &ConfigRecord::sbFastRate},
    NumberField{kIdSbMinTurnAngle, &ConfigRecord::sbMinTurnAngle},
    NumberField{kIdSbTurnSlope, &ConfigRecord::sbTurnSlope},
    NumberField{kIdSbMinTurnTime, &ConfigRecord::sbMinTurnTime},
    NumberField{kIdPowerSwitchTime, &ConfigRecord::powerSwitchTime},
};

// The levels belong to no profile: both tabs show the same values.
constexpr std::array kSharedNumberFields{
    SharedNumberField{kIdRxLevel, &ConfigRecord::rxLevel},
    SharedNumberField{kIdTxLevel, &ConfigRecord::txLevel},
    SharedNumberField{kIdTxTwist, &ConfigRecord::txTwist},
};

constexpr std::array kFlagFields{
    FlagField{kIdSendAltitude, &ConfigRecord::sendAltitude},
    FlagField{kIdSendNmea, &ConfigRecord::sendNmea},
    FlagField{kIdSkipStartPacket, &ConfigRecord::skipStartPacket},
    FlagField{kIdOnlySendValid, &ConfigRecord::onlySendValid},
    FlagField{kIdNoTxOnPttIn, &ConfigRecord::noTxOnPttIn},
    FlagField{kIdSerialOutHigh, &ConfigRecord::serialOutHigh},
    FlagField{kIdGps9600, &ConfigRecord::gps9600},
    FlagField{kIdAlternateDigiPaths, &ConfigRecord::alternateDigiPaths},
    FlagField{kIdInvertCdIn, &ConfigRecord::invertCdIn},
    FlagField{kIdBaud300, &ConfigRecord::baud300},
    FlagField{kIdSendSeparate, &ConfigRecord::sendSeparate},
    FlagField{kIdNoGtPrefix, &ConfigRecord::noGtPrefix},
    FlagField{kIdSendAfterPosition, &ConfigRecord::sendAfterPosition},
    FlagField{kIdSendVoltage, &ConfigRecord::sendVoltage},
    FlagField{kIdSendTemp, &ConfigRecord::sendTemp},
    FlagField{kIdMicEEnable, &ConfigRecord::micE},
    FlagField{kIdForcePrintable, &ConfigRecord::forcePrintable},
    FlagField{kIdTimeSlottingEnable, &ConfigRecord::timeSlotting},
    FlagField{kIdSmartBeaconingEnable, &ConfigRecord::smartBeaconing},
    FlagField{kIdPowerSwitchEnable, &ConfigRecord::powerSwitch},
};

std::string CharacterText(char c) {
  return c == '\0' ? std::string() : std::string(1, c);
}

}  // namespace

std::string ConfigForm::ReadEditText(int id) const {
  std::string text = items_.ItemText(id);
  if (text.size() > kMaxEditText) text.resize(kMaxEditText);
  return text;
}

void ConfigForm::SetItemText(int id, std::string_view text) {
  items_.SetItemText(id, text);
}

void ConfigForm::SetItemNumber(int id, int value) {
  SetItemText(id, std::to_string(value));
}

int ConfigForm::SelectedEntry(int id) const {
  const std::span<const std::string_view> entries = DropDownEntries(id);
  const std::string text = items_.ItemText(id);
  // A toolkit may keep the entry last picked while the user types over the field: the
  // selection counts only while the field still shows it.
  const int selected = items_.ListSelection(id);
  if (selected >= 0 && static_cast<std::size_t>(selected) < entries.size() &&
      entries[selected] == text) {
    return selected;
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (EqualsIgnoringAsciiCase(entries[i], text)) return static_cast<int>(i);
  }
  return -1;
}

void ConfigForm::SelectEntry(int id, int index) {
  const bool inList = index >= 0 && static_cast<std::size_t>(index) < DropDownEntries(id).size();
  items_.SelectListEntry(id, inList ? index : -1);
}

void ConfigForm::InitProfileTabs() {
  SelectEntry(kIdPortList, 0);
  items_.InsertTab(kIdProfileTabs, 0, kPrimaryTab);
  items_.InsertTab(kIdProfileTabs, 1, kSecondaryTab);
  record_.visibleProfile = items_.SelectedTab(kIdProfileTabs) & 1;
  CopyRecordToForm();
  UpdateControlStates();
}

void ConfigForm::CopyFormToRecord() {
  CopyFormTo(record_);
}

void ConfigForm::CopyFormTo(ConfigRecord& record) const {
  const int p = record.visibleProfile;
  record.SetCallsign(ReadEditText(kIdCallsign));
  record.SetDigiPath(ReadEditText(kIdDigiPath));
  record.SetStatusText(ReadEditText(kIdStatusText));

  for (const NumberField& number : kNumberFields) {
    (record.*number.field)[p] = ParseNumber(ReadEditText(number.id));
  }

  // No entry of the message list stores the first.
  const int message = SelectedEntry(kIdMicEMessage);
  record.micEMessage[p] = message >= 0 ? message : 0;
  record.micEPath[p] = SelectedEntry(kIdMicEPath);

  const std::string symbol = ReadEditText(kIdSymbol);
  record.symbol[p] = symbol.empty() ? '\0' : symbol.front();
  const std::string table = ReadEditText(kIdSymbolTable);
  record.symbolTable[p] = table.empty() ? '\0' : table.front();

  // A waypoint output is on exactly when its character count is not 0.
  record.waypointChars[p] =
      items_.IsItemChecked(kIdWaypointEnable) ? ParseNumber(ReadEditText(kIdWaypointChars)) : 0;

  for (const SharedNumberField& number : kSharedNumberFields) {
    record.*number.field = ParseNumber(ReadEditText(number.id));
  }

  for (const FlagField& flag : kFlagFields) {
    (record.*flag.field)[p] = items_.IsItemChecked(flag.id) ? 1 : 0;
  }
  const bool hms = items_.IsItemChecked(kIdTimestampHms);
  record.timestamp[p] = items_.IsItemChecked(kIdTimestampDhm) || hms ? 1 : 0;
  record.timestampHms[p] = hms ? 1 : 0;
}

void ConfigForm::CopyRecordToForm() {
  const int p = record_.visibleProfile;
  SetItemText(kIdCallsign, TextOf(record_.callsign[p]));
  SetItemText(kIdDigiPath, TextOf(record_.digiPath[p]));
  SetItemText(kIdStatusText, TextOf(record_.statusText[p]));

  for (const NumberField& number : kNumberFields) {
    SetItemNumber(number.id, (record_.*number.field)[p]);
  }
  for (const SharedNumberField& number : kSharedNumberFields) {
    SetItemNumber(number.id, record_.*number.field);
  }

  SelectEntry(kIdMicEMessage, record_.micEMessage[p]);
  SelectEntry(kIdMicEPath, record_.micEPath[p]);

  SetItemText(kIdSymbol, CharacterText(record_.symbol[p]));
  SetItemText(kIdSymbolTable, CharacterText(record_.symbolTable[p]));

  const int waypointChars = record_.waypointChars[p];
  items_.CheckItem(kIdWaypointEnable, waypointChars != 0);
  SetItemNumber(kIdWaypointChars, waypointChars);

  for (const FlagField& flag : kFlagFields) {
    items_.CheckItem(flag.id, (record_.*flag.field)[p] != 0);
  }
  const bool timestamp = record_.timestamp[p] != 0;
  const bool hms = record_.timestampHms[p] != 0;
  items_.CheckItem(kIdTimestampDhm, timestamp && !hms);
  items_.CheckItem(kIdTimestampHms, timestamp && hms);

  UpdateControlStates();
}

void ConfigForm::OnProfileTabChange() {
  // The items still show the profile that was visible: store them there first.
  CopyFormToRecord();
  record_.visibleProfile = items_.SelectedTab(kIdProfileTabs) & 1;
  CopyRecordToForm();
  UpdateControlStates();
}

void ConfigForm::StepLevel(int id, int delta) {
  // Pull a far-out value to just outside the range first, so the step can't overflow.
  const int value = Clamp(ParseNumber(ReadEditText(id)), -1, 101);
  SetItemNumber(id, Clamp(value + delta, 0, 100));
}

void ConfigForm::OnRxLevelSpin(int delta) {
  StepLevel(kIdRxLevel, delta);
}

void ConfigForm::OnTxLevelSpin(int delta) {
  StepLevel(kIdTxLevel, delta);
}

void ConfigForm::OnTxTwistSpin(int delta) {
  StepLevel(kIdTxTwist, delta);
}

}  // namespace korvaset
