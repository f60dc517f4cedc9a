// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <array>

#include "resources/control_ids.h"
#include "resources/dialog_template.h"
#include "resources/window_strings.h"

namespace korvaset {

namespace {

using K = ControlKind;

constexpr ControlDef Def(int id, ControlKind kind, std::string_view caption, DialogRect rect,
                         std::string_view label = {}, std::string_view unit = {},
                         std::string_view frame = {}, std::string_view accessibleName = {}) {
  return {id, kind, caption, rect, label, unit, frame, accessibleName};
}

constexpr ControlDef Frame(std::string_view caption, DialogRect rect) {
  return Def(kStaticId, K::kFrame, caption, rect);
}

constexpr ControlDef Edit(int id, std::string_view label, DialogRect rect,
                          std::string_view frame = {}, std::string_view unit = {}) {
  return Def(id, K::kEdit, {}, rect, label, unit, frame);
}

constexpr ControlDef Check(int id, std::string_view caption, DialogRect rect,
                           std::string_view frame = {}) {
  return Def(id, K::kCheckBox, caption, rect, {}, {}, frame);
}

constexpr ControlDef DropDown(int id, std::string_view label, DialogRect rect,
                              std::string_view frame, std::string_view accessibleName = {}) {
  return Def(id, K::kDropDown, {}, rect, label, {}, frame, accessibleName);
}

constexpr ControlDef Spin(int id, DialogRect rect, std::string_view accessibleName) {
  return Def(id, K::kSpin, {}, rect, {}, {}, {}, accessibleName);
}

constexpr ControlDef Button(int id, std::string_view caption, DialogRect rect,
                            std::string_view frame = {}) {
  return Def(id, K::kButton, caption, rect, {}, {}, frame);
}

// Creation order is the keyboard order; frames are drawn beneath whatever lies in them.
constexpr std::array kConfigWindowControls{
    Def(kIdProfileTabs, K::kTabStrip, {}, {7, 7, 342, 271}, {}, {}, {}, "Profile"),
    Frame("Timing", {7, 68, 120, 85}),
    Frame("Status", {7, 153, 142, 44}),
    Frame("Waypoint Output", {7, 197, 115, 25}),
    Frame("Telemetry", {7, 222, 138, 38}),
    Frame("MIC-E Settings", {169, 82, 158, 35}),
    Frame("Time Slotting", {169, 119, 151, 23}),
    Frame("SmartBeaconing", {169, 144, 180, 67}),
    Frame("Power Switch", {170, 211, 120, 24}),
    Frame("Configure", {7, 278, 109, 43}),
    Frame("Tone Test", {123, 280, 109, 43}),

    Edit(kIdCallsign, "Callsign:", {43, 23, 74, 14}),
    Edit(kIdDigiPath, "Digi Path:", {43, 38, 116, 14}),
    Edit(kIdSymbol, "Symbol:", {43, 52, 22, 14}),
    Edit(kIdSymbolTable, "Table/Overlay:", {138, 52, 22, 14}),
    Check(kIdSendAltitude, "Send Altitude", {167, 22, 58, 10}),
    Check(kIdTimestampDhm, "Timestamp DHM", {167, 31, 69, 10}),
    Check(kIdTimestampHms, "Timestamp HMS", {167, 40, 68, 10}),
    Check(kIdSendNmea, "Send NMEA", {167, 50, 55, 10}),
    Check(kIdSkipStartPacket, "Skip Start Packet", {167, 60, 71, 10}),
    Check(kIdOnlySendValid, "Only Send Valid", {167, 70, 66, 10}),
    Check(kIdNoTxOnPttIn, "No TX on PTT In", {240, 22, 71, 10}),
    Check(kIdSerialOutHigh, "Serial Out High", {240, 31, 63, 10}),
    Check(kIdGps9600, "9600 Baud GPS", {240, 41, 67, 10}),
    Check(kIdAlternateDigiPaths, "Alternate Digi Paths", {240, 50, 78, 10}),
    Check(kIdInvertCdIn, "Invert CD In", {240, 60, 54, 10}),
    Check(kIdBaud300, "300 Baud packet", {240, 70, 71, 10}),

    Edit(kIdAutoTxDelay, "Auto TX Delay:", {85, 76, 40, 14}, "Timing"),
    Edit(kIdAutoTxRate, "Auto Transmit Rate:", {85, 92, 40, 14}, "Timing"),
    Edit(kIdManualTxDelay, "Manual TX Delay:", {85, 106, 40, 14}, "Timing"),
    Edit(kIdManualTxRate, "Manual Transmit Rate:", {85, 122, 40, 14}, "Timing"),
    Edit(kIdQuietTime, "Quiet Time:", {85, 137, 40, 14}, "Timing"),

    Edit(kIdStatusText, "Text:", {30, 162, 116, 14}, "Status"),
    Edit(kIdStatusEvery, "Send Every:", {50, 178, 22, 14}, "Status"),
    Check(kIdSendSeparate, "Send Separate", {82, 176, 63, 10}, "Status"),
    Check(kIdNoGtPrefix, "Don't Send '>'", {82, 185, 60, 10}, "Status"),

    Check(kIdWaypointEnable, "Enable", {11, 207, 38, 10}, "Waypoint Output"),
    Edit(kIdWaypointChars, "Num Chars:", {97, 205, 22, 14}, "Waypoint Output"),

    Edit(kIdTelemetryRate, "Rate:", {29, 232, 30, 14}, "Telemetry"),
    Check(kIdSendAfterPosition, "Send After Position", {66, 233, 76, 10}, "Telemetry"),
    Check(kIdSendVoltage, "Send Voltage", {13, 247, 59, 10}, "Telemetry"),
    Check(kIdSendTemp, "Send Temp", {88, 247, 53, 10}, "Telemetry"),

    Check(kIdMicEEnable, "Enable", {173, 92, 38, 10}, "MIC-E Settings"),
    Check(kIdForcePrintable, "Force Printable", {173, 103, 63, 10}, "MIC-E Settings"),
    DropDown(kIdMicEMessage, "Message:", {265, 89, 57, 77}, "MIC-E Settings"),
    DropDown(kIdMicEPath, "Path:", {265, 102, 57, 69}, "MIC-E Settings"),

    Check(kIdTimeSlottingEnable, "Enable", {173, 128, 38, 10}, "Time Slotting"),
    Edit(kIdSlotOffset, "Transmit Offset:", {281, 126, 22, 14}, "Time Slotting", "sec"),

    Check(kIdSmartBeaconingEnable, "Enable", {179, 154, 38, 10}, "SmartBeaconing"),
    Edit(kIdSbMinTurnAngle, "Min Turn Angle:", {224, 162, 22, 14}, "SmartBeaconing", "deg"),
    Edit(kIdSbTurnSlope, "Turn Slope:", {224, 178, 22, 14}, "SmartBeaconing"),
    Edit(kIdSbMinTurnTime, "Min Turn Time:", {224, 192, 22, 14}, "SmartBeaconing", "deg"),
    Edit(kIdSbSlowSpeed, "Slow Speed:", {306, 150, 22, 14}, "SmartBeaconing", "knots"),
    Edit(kIdSbSlowRate, "Slow Rate:", {306, 165, 22, 14}, "SmartBeaconing", "sec"),
    Edit(kIdSbFastSpeed, "Fast Speed:", {306, 180, 22, 14}, "SmartBeaconing", "knots"),
    Edit(kIdSbFastRate, "Fast Rate:", {306, 195, 22, 14}, "SmartBeaconing", "sec"),

    Check(kIdPowerSwitchEnable, "Enable", {175, 220, 38, 10}, "Power Switch"),
    Edit(kIdPowerSwitchTime, "Time:", {251, 218, 22, 14}, "Power Switch", "sec"),

    Edit(kIdRxLevel, "RX Level:", {313, 237, 22, 14}),
    Spin(kIdRxLevelSpin, {335, 236, 11, 14}, "RX Level arrows"),
    Edit(kIdTxLevel, "TX Level:", {238, 255, 22, 14}),
    Spin(kIdTxLevelSpin, {260, 255, 11, 14}, "TX Level arrows"),
    Edit(kIdTxTwist, "TX Twist:", {313, 255, 22, 14}),
    Spin(kIdTxTwistSpin, {334, 255, 11, 14}, "TX Twist arrows"),

    DropDown(kIdPortList, {}, {9, 288, 49, 64}, "Configure", "Port"),
    Button(kIdReadConfig, "Read Config", {62, 287, 50, 14}, "Configure"),
    Button(kIdReadVersion, "Read Version", {9, 303, 50, 14}, "Configure"),
    Button(kIdWriteConfig, "Write Config", {62, 303, 50, 14}, "Configure"),
    Button(kIdSendLowTone, kLowToneCaption, {126, 289, 50, 14}, "Tone Test"),
    Button(kIdSendHighTone, kHighToneCaption, {126, 305, 50, 14}, "Tone Test"),
    Button(kIdSendBothTones, "Send Both", {179, 289, 50, 14}, "Tone Test"),
    Button(kIdStopSending, "Stop Sending", {179, 305, 50, 14}, "Tone Test"),
    Button(kIdSaveConfig, "Save ", {238, 289, 50, 14}),
    Button(kIdLoadConfig, "Load", {238, 305, 50, 14}),
    Button(kIdAbout, "About", {291, 288, 50, 14}),
    Def(kIdExit, K::kDefaultButton, "Exit", {292, 305, 50, 14}),
};

constexpr std::array kAboutBoxControls{
    Def(kStaticId, K::kIcon, {}, {11, 17, 0, 0}, {}, {}, {}, "Korvaset"),
    Def(kStaticId, K::kText, kAboutVersionText, {40, 10, 119, 8}),
    Def(kStaticId, K::kText, kAboutCopyrightText, {40, 25, 119, 8}),
    Def(kIdExit, K::kDefaultButton, "OK", {178, 7, 50, 14}),
};

constexpr std::array<std::string_view, 8> kMicEMessages{
    "Off Duty",  "En Route", "In Service", "Returning",
    "Committed", "Special",  "Priority",   "Emergency!",
};

constexpr std::array<std::string_view, 16> kMicEPaths{
    "Conventional", "WIDE-1",     "WIDE-2",    "WIDE-3",    "WIDE-4", "WIDE-5",
    "WIDE-6",       "WIDE-7",     "North",     "South",     "East",   "West",
    "North+WIDE",   "South+WIDE", "East+WIDE", "West+WIDE",
};

constexpr std::array<std::string_view, 8> kPortNames{
    "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8",
};

}  // namespace

const DialogTemplate& ConfigWindowTemplate() {
  static constexpr DialogTemplate kTemplate{"Korvaset", 356, 326, kConfigWindowControls};
  return kTemplate;
}

const DialogTemplate& AboutBoxTemplate() {
  static constexpr DialogTemplate kTemplate{"About Korvaset", 235, 55, kAboutBoxControls};
  return kTemplate;
}

std::span<const std::string_view> DropDownEntries(int id) {
  switch (id) {
    case kIdMicEMessage:
      return kMicEMessages;
    case kIdMicEPath:
      return kMicEPaths;
    case kIdPortList:
      return kPortNames;
    default:
      return {};
  }
}

}  // namespace korvaset
