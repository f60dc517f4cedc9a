// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "config/record_fields.h"

#include "config/fixed_text.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace korvaset {

namespace {

constexpr TextAccessor kCallsign{[](const ConfigRecord& r, int p) { return TextOf(r.callsign[p]); },
                                 &ConfigRecord::SetCallsign, kCallsignSize - 1};
constexpr TextAccessor kDigiPath{[](const ConfigRecord& r, int p) { return TextOf(r.digiPath[p]); },
                                 &ConfigRecord::SetDigiPath, kDigiPathSize - 1};
constexpr TextAccessor kStatusText{
    [](const ConfigRecord& r, int p) { return TextOf(r.statusText[p]); },
    &ConfigRecord::SetStatusText, kStatusTextSize - 1};

// In the order ConfigRecord declares them.
constexpr RecordField kFields[] = {
    {"callsign", kCallsign},
    {"digiPath", kDigiPath},
    {"statusText", kStatusText},
    {"headerByte", &ConfigRecord::headerByte},
    {"autoTxDelay", &ConfigRecord::autoTxDelay},
    {"manualTxDelay", &ConfigRecord::manualTxDelay},
    {"micEMessage", &ConfigRecord::micEMessage},
    {"micEPath", &ConfigRecord::micEPath},
    {"symbol", &ConfigRecord::symbol},
    {"symbolTable", &ConfigRecord::symbolTable},
    {"statusEvery", &ConfigRecord::statusEvery},
    {"autoTxRate", &ConfigRecord::autoTxRate},
    {"manualTxRate", &ConfigRecord::manualTxRate},
    {"slotOffset", &ConfigRecord::slotOffset},
    {"sbSlowSpeed", &ConfigRecord::sbSlowSpeed},
    {"sbFastSpeed", &ConfigRecord::sbFastSpeed},
    {"sbSlowRate", &ConfigRecord::sbSlowRate},
    {"sbFastRate", &ConfigRecord::sbFastRate},
    {"sbMinTurnAngle", &ConfigRecord::sbMinTurnAngle},
    {"sbTurnSlope", &ConfigRecord::sbTurnSlope},
    {"sbMinTurnTime", &ConfigRecord::sbMinTurnTime},
    {"quietTime", &ConfigRecord::quietTime},
    {"powerSwitchTime", &ConfigRecord::powerSwitchTime},
    {"waypointChars", &ConfigRecord::waypointChars},
    {"telemetryRate", &ConfigRecord::telemetryRate},
    {"rxLevel", &ConfigRecord::rxLevel},
    {"txLevel", &ConfigRecord::txLevel},
    {"txTwist", &ConfigRecord::txTwist},
    {"forcePrintable", &ConfigRecord::forcePrintable},
    {"onlySendValid", &ConfigRecord::onlySendValid},
    {"timeSlotting", &ConfigRecord::timeSlotting},
    {"slotDivides60", &ConfigRecord::slotDivides60},
    {"slotDivides600", &ConfigRecord::slotDivides600},
    {"smartBeaconing", &ConfigRecord::smartBeaconing},
    {"sendAltitude", &ConfigRecord::sendAltitude},
    {"micE", &ConfigRecord::micE},
    {"powerSwitch", &ConfigRecord::powerSwitch},
    {"timestamp", &ConfigRecord::timestamp},
    {"reservedFlag", &ConfigRecord::reservedFlag},
    {"alternateDigiPaths", &ConfigRecord::alternateDigiPaths},
    {"invertCdIn", &ConfigRecord::invertCdIn},
    {"timestampHms", &ConfigRecord::timestampHms},
    {"noTxOnPttIn", &ConfigRecord::noTxOnPttIn},
    {"sendNmea", &ConfigRecord::sendNmea},
    {"sendSeparate", &ConfigRecord::sendSeparate},
    {"baud300", &ConfigRecord::baud300},
    {"sendVoltage", &ConfigRecord::sendVoltage},
    {"sendTemp", &ConfigRecord::sendTemp},
    {"sendAfterPosition", &ConfigRecord::sendAfterPosition},
    {"noGtPrefix", &ConfigRecord::noGtPrefix},
    {"serialOutHigh", &ConfigRecord::serialOutHigh},
    {"skipStartPacket", &ConfigRecord::skipStartPacket},
    {"gps9600", &ConfigRecord::gps9600},
};

std::optional<std::string> CheckNumber(std::string_view value) {
  int number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (error == std::errc::result_out_of_range)
    return "number out of range: \"" + std::string(value) + "\"";
  if (error != std::errc{} || end != value.data() + value.size()) {
    return "not a whole number: \"" + std::string(value) + "\"";
  }
  return std::nullopt;
}

int ToNumber(std::string_view value) {
  int number = 0;
  std::from_chars(value.data(), value.data() + value.size(), number);
  return number;
}

}  // namespace

std::span<const RecordField> RecordFields() {
  return kFields;
}

const RecordField* FindRecordField(std::string_view name) {
  const auto* found = std::find_if(std::begin(kFields), std::end(kFields),
                                   [name](const RecordField& f) { return f.name == name; });
  return found == std::end(kFields) ? nullptr : found;
}

std::string FormatField(const ConfigRecord& record, const RecordField& field, int profile) {
  struct Formatter {
    const ConfigRecord& r;
    int p;
    std::string operator()(PerProfile<int> ConfigRecord::*m) const {
      return std::to_string((r.*m)[p]);
    }
    std::string operator()(PerProfile<Flag> ConfigRecord::*m) const {
      return std::to_string(static_cast<int>((r.*m)[p]));
    }
    std::string operator()(PerProfile<char> ConfigRecord::*m) const {
      return std::string(1, (r.*m)[p]);
    }
    std::string operator()(const TextAccessor& text) const { return std::string(text.get(r, p)); }
    std::string operator()(int ConfigRecord::*m) const { return std::to_string(r.*m); }
  };
  return std::visit(Formatter{record, profile}, field.accessor);
}

std::optional<std::string> CheckFieldValue(const RecordField& field, std::string_view value) {
  switch (field.Kind()) {
    case FieldKind::kNumber:
    case FieldKind::kSharedNumber:
      return CheckNumber(value);
    case FieldKind::kFlag:
      if (value == "0" || value == "1") return std::nullopt;
      return "a flag is 0 or 1, not \"" + std::string(value) + "\"";
    case FieldKind::kCharacter:
      if (value.size() == 1) return std::nullopt;
      return "must be exactly one character, not \"" + std::string(value) + "\"";
    case FieldKind::kText: {
      const int maxLength = std::get<TextAccessor>(field.accessor).maxLength;
      if (value.size() <= static_cast<std::size_t>(maxLength)) return std::nullopt;
      return "longer than " + std::to_string(maxLength) + " characters";
    }
  }
  return std::nullopt;
}

void SetField(ConfigRecord& record, const RecordField& field, int profile, std::string_view value) {
  struct Setter {
    ConfigRecord& r;
    int p;
    std::string_view v;
    void operator()(PerProfile<int> ConfigRecord::*m) const { (r.*m)[p] = ToNumber(v); }
    void operator()(PerProfile<Flag> ConfigRecord::*m) const { (r.*m)[p] = v == "1" ? 1 : 0; }
    void operator()(PerProfile<char> ConfigRecord::*m) const {
      if (!v.empty()) (r.*m)[p] = v.front();
    }
    void operator()(const TextAccessor& text) const {
      const int visible = r.visibleProfile;
      r.visibleProfile = p;
      (r.*text.set)(v);
      r.visibleProfile = visible;
    }
    void operator()(int ConfigRecord::*m) const { r.*m = ToNumber(v); }
  };
  std::visit(Setter{record, profile, value}, field.accessor);
}

}  // namespace korvaset
