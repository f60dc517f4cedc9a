// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "config/settings_catalogue.h"

#include <algorithm>

#include "config/field_names.h"
#include "resources/control_ids.h"

namespace korvaset {

namespace {

constexpr int kHidden = Setting::kNotShown;

// Per entry: control, CLI name, group, label, unit, what the tracker keeps, default, help.
// The window's controls come in the order of its layout; where two controls show one field,
// the edit comes before the check box or spin, so that a lookup by name finds the edit.
constexpr Setting kSettings[] = {
    {kIdProfileTabs, "primary., secondary.", "", "Profile", "", "two complete profiles", "",
     "Chooses which of the two profiles the controls show; the three level controls are "
     "shared by both."},

    {kIdCallsign, "callsign", "", "Callsign", "", "six letters or digits and an SSID from 0 to 15",
     "NOCALL",
     "Your own licensed callsign, optionally with an SSID after a hyphen. Mobiles commonly use "
     "-9, home stations none; NOCALL and N0CALL are dropped by the APRS network."},
    {kIdDigiPath, "digiPath", "", "Digi Path", "",
     "one address per element, each six letters or digits and an SSID from 0 to 15, as much "
     "as fits in the image",
     "WIDE1-1,WIDE2-1",
     "The digipeaters asked to repeat each packet, separated by commas. Mobiles: WIDE1-1,WIDE2-1 "
     "(WIDE1-1,WIDE2-2 in much of Europe); fixed stations WIDE2-1 or WIDE2-2; RELAY, WIDE and "
     "TRACE are obsolete."},
    {kIdSymbol, "symbol", "", "Symbol", "", "one character", ">",
     "The APRS symbol character that maps show for this station, from ! to ~: > is a car, "
     "k a truck, [ a jogger, - a house."},
    {kIdSymbolTable, "symbolTable", "", "Table/Overlay", "", "one character", "/",
     "The symbol table: / for the primary table, \\ for the alternate one, or a digit or "
     "capital letter shown as an overlay on an alternate-table symbol."},
    {kIdSendAltitude, "sendAltitude", "", "Send Altitude", "", "on or off", "on",
     "The tracker's Send Altitude option, on or off."},
    {kIdTimestampDhm, "timestamp", "", "Timestamp DHM", "", "on or off", "off",
     "Adds a timestamp in days, hours and minutes to the position packets. At most one of "
     "the two timestamp boxes is checked."},
    {kIdTimestampHms, "timestampHms", "", "Timestamp HMS", "", "on or off", "off",
     "Adds a timestamp in hours, minutes and seconds to the position packets. At most one of "
     "the two timestamp boxes is checked."},
    {kIdSendNmea, "sendNmea", "", "Send NMEA", "", "on or off", "off",
     "The tracker's Send NMEA option, on or off."},
    {kIdSkipStartPacket, "skipStartPacket", "", "Skip Start Packet", "", "on or off", "off",
     "The tracker's Skip Start Packet option, on or off."},
    {kIdOnlySendValid, "onlySendValid", "", "Only Send Valid", "", "on or off", "off",
     "The tracker's Only Send Valid option, on or off."},
    {kIdNoTxOnPttIn, "noTxOnPttIn", "", "No TX on PTT In", "", "on or off", "off",
     "The tracker's No TX on PTT In option, on or off."},
    {kIdSerialOutHigh, "serialOutHigh", "", "Serial Out High", "", "on or off", "off",
     "The tracker's Serial Out High option, on or off."},
    {kIdGps9600, "gps9600", "", "9600 Baud GPS", "", "on or off", "off",
     "The tracker's 9600 Baud GPS option, on or off."},
    {kIdAlternateDigiPaths, "alternateDigiPaths", "", "Alternate Digi Paths", "", "on or off",
     "off", "The tracker's Alternate Digi Paths option, on or off."},
    {kIdInvertCdIn, "invertCdIn", "", "Invert CD In", "", "on or off", "off",
     "The tracker's Invert CD In option, on or off."},
    {kIdBaud300, "baud300", "", "300 Baud packet", "", "on or off", "off",
     "The tracker's 300 Baud packet option. It also sets the TX delays' step to 26.666 ms (one "
     "byte at 300 baud) and the tone test to 1600 and 1800 Hz."},

    {kIdAutoTxDelay, "autoTxDelay", "Timing", "Auto TX Delay", "ms",
     "0 to 1700 ms in steps of 6.666 ms (0 to 6800 ms in steps of 26.666 ms with 300 Baud "
     "packet)",
     "300",
     "How long the transmitter is keyed before an automatic packet's data starts. 100 to 500 "
     "ms suits most radios."},
    {kIdAutoTxRate, "autoTxRate", "Timing", "Auto Transmit Rate", "seconds",
     "0 to 65535 (low 16 bits)", "120",
     "How often a position is sent without SmartBeaconing. On a shared channel, not more "
     "than once a minute; a mobile commonly every 2 to 3 minutes, a fixed station every 10 to "
     "30."},
    {kIdManualTxDelay, "manualTxDelay", "Timing", "Manual TX Delay", "ms",
     "0 to 1700 ms in steps of 6.666 ms (0 to 6800 ms in steps of 26.666 ms with 300 Baud "
     "packet)",
     "125", "How long the transmitter is keyed before a manually started packet's data."},
    {kIdManualTxRate, "manualTxRate", "Timing", "Manual Transmit Rate", "",
     "0 to 65535 (low 16 bits)", "30",
     "The tracker's Manual Transmit Rate; the form gives no unit."},
    {kIdQuietTime, "quietTime", "Timing", "Quiet Time", "ms", "0 to 6706 ms in steps of 26.3 ms",
     "500", "The tracker's Quiet Time, in milliseconds."},

    {kIdStatusText, "statusText", "Status", "Text", "",
     "as many characters as fit in the image after the addresses (61 at most)", "Korvalink",
     "The status beacon's text. APRS receivers cut a status text at 62 characters and it may "
     "not contain | or ~."},
    {kIdStatusEvery, "statusEvery", "Status", "Send Every", "", "0 to 255 (low 8 bits)", "3",
     "How often the status beacon is sent; the form gives no unit."},
    {kIdSendSeparate, "sendSeparate", "Status", "Send Separate", "", "on or off", "off",
     "The tracker's Send Separate option for the status text, on or off."},
    {kIdNoGtPrefix, "noGtPrefix", "Status", "Don't Send '>'", "", "on or off", "off",
     "The tracker's option to leave out the '>' of the status text, on or off."},

    {kIdWaypointChars, "waypointChars", "Waypoint Output", "Num Chars", "characters",
     "0 to 255; 0 turns waypoint output off", "9",
     "The number of characters of the waypoint output; 0 turns it off."},
    {kIdWaypointEnable, "waypointChars", "Waypoint Output", "Enable", "", "on or off", "on",
     "Turns waypoint output on; clear, the character count is stored as 0."},

    {kIdTelemetryRate, "telemetryRate", "Telemetry", "Rate", "", "0 to 65535 (low 16 bits)", "0",
     "The tracker's telemetry rate; the form gives no unit."},
    {kIdSendAfterPosition, "sendAfterPosition", "Telemetry", "Send After Position", "", "on or off",
     "off", "The tracker's Send After Position option for telemetry, on or off."},
    {kIdSendVoltage, "sendVoltage", "Telemetry", "Send Voltage", "", "on or off", "off",
     "The tracker's Send Voltage option for telemetry, on or off."},
    {kIdSendTemp, "sendTemp", "Telemetry", "Send Temp", "", "on or off", "off",
     "The tracker's Send Temp option for telemetry, on or off."},

    {kIdMicEEnable, "micE", "MIC-E Settings", "Enable", "", "on or off", "on",
     "Sends positions in the compact MIC-E format, which carries the message below in the "
     "destination address."},
    {kIdForcePrintable, "forcePrintable", "MIC-E Settings", "Force Printable", "", "on or off",
     "off", "The tracker's Force Printable option for MIC-E, on or off."},
    {kIdMicEMessage, "micEMessage", "MIC-E Settings", "Message", "",
     "0 to 255 (low 8 bits); the list offers 0 to 7", "0 (Off Duty)",
     "The MIC-E status message. \"Emergency!\" raises an alarm at every station that hears "
     "the beacon; Write Config asks before it sends it."},
    {kIdMicEPath, "micEPath", "MIC-E Settings", "Path", "",
     "0 to 255 (low 8 bits); the list offers 0 to 15, no selection is kept as 255",
     "0 (Conventional)",
     "Digipeating on the destination SSID. It is obsolete and current digipeaters ignore it: "
     "keep Conventional and set the Digi Path instead."},

    {kIdTimeSlottingEnable, "timeSlotting", "Time Slotting", "Enable", "", "on or off", "off",
     "Transmits at a fixed offset within each Auto Transmit Rate period, so that trackers "
     "sharing a channel take turns instead of colliding."},
    {kIdSlotOffset, "slotOffset", "Time Slotting", "Transmit Offset", "seconds",
     "Auto Transmit Rate - offset + 1 in 16 bits, only while Time Slotting is on", "15",
     "When in each period the tracker transmits; keep it from 0 to Auto Transmit Rate - 1."},

    {kIdSmartBeaconingEnable, "smartBeaconing", "SmartBeaconing", "Enable", "", "on or off", "off",
     "Sends positions by speed and turns instead of at a fixed rate: often when fast or "
     "turning, rarely when slow."},
    {kIdSbMinTurnAngle, "sbMinTurnAngle", "SmartBeaconing", "Min Turn Angle", "degrees",
     "0 to 255 (low 8 bits), only while SmartBeaconing is on", "27",
     "The smallest change of heading that counts as a turn. Published default: 30 degrees."},
    {kIdSbTurnSlope, "sbTurnSlope", "SmartBeaconing", "Turn Slope", "",
     "0 to 65535 (low 16 bits), only while SmartBeaconing is on", "255",
     "SmartBeaconing's turn slope: the higher, the larger the turn a slow station needs. "
     "Published default: 255."},
    {kIdSbMinTurnTime, "sbMinTurnTime", "SmartBeaconing", "Min Turn Time", "",
     "0 to 255 (low 8 bits), only while SmartBeaconing is on; the label beside it reads "
     "\"deg\", though the field is no angle",
     "5", "The shortest time between two turn-triggered packets. Published default: 15."},
    {kIdSbSlowSpeed, "sbSlowSpeed", "SmartBeaconing", "Slow Speed", "knots",
     "0 to 255 (low 8 bits), only while SmartBeaconing is on", "5",
     "Below this speed positions go at the Slow Rate. Published default: 4 knots (5 mph)."},
    {kIdSbSlowRate, "sbSlowRate", "SmartBeaconing", "Slow Rate", "seconds",
     "0 to 65535 (low 16 bits), only while SmartBeaconing is on", "1800",
     "The time between positions below the Slow Speed. Published default: 1800 seconds."},
    {kIdSbFastSpeed, "sbFastSpeed", "SmartBeaconing", "Fast Speed", "knots",
     "0 to 255 (low 8 bits), only while SmartBeaconing is on", "65",
     "Above this speed positions go at the Fast Rate; it must be above the Slow Speed. "
     "Published default: 52 knots (60 mph)."},
    {kIdSbFastRate, "sbFastRate", "SmartBeaconing", "Fast Rate", "seconds",
     "0 to 65535 (low 16 bits), only while SmartBeaconing is on", "90",
     "The time between positions above the Fast Speed; below the Slow Rate and not under 60 "
     "seconds. Published default: 180 seconds."},

    {kIdPowerSwitchEnable, "powerSwitch", "Power Switch", "Enable", "", "on or off", "off",
     "The tracker's Power Switch option, on or off."},
    {kIdPowerSwitchTime, "powerSwitchTime", "Power Switch", "Time", "seconds", "0 to 255 (clamped)",
     "3", "The Power Switch time, in seconds."},

    {kIdRxLevel, "rxLevel", "", "RX Level", "", "0 to 255 (clamped); the arrows keep 0 to 100",
     "100", "The receive level; shared by both profiles."},
    {kIdRxLevelSpin, "rxLevel", "", "RX Level", "", "0 to 255 (clamped); the arrows keep 0 to 100",
     "100", "Raises or lowers the RX Level by one."},
    {kIdTxLevel, "txLevel", "", "TX Level", "", "0 to 255 (clamped); the arrows keep 0 to 100",
     "100", "The transmit level; shared by both profiles. The tone test helps to set it."},
    {kIdTxLevelSpin, "txLevel", "", "TX Level", "", "0 to 255 (clamped); the arrows keep 0 to 100",
     "100", "Raises or lowers the TX Level by one."},
    {kIdTxTwist, "txTwist", "", "TX Twist", "", "0 to 100 (clamped)", "50",
     "The transmit twist; shared by both profiles. The tone test helps to set it."},
    {kIdTxTwistSpin, "txTwist", "", "TX Twist", "", "0 to 100 (clamped)", "50",
     "Raises or lowers the TX Twist by one."},

    {kIdPortList, "--port", "Configure", "Port", "", "", "COM1",
     "The serial port the tracker is connected to."},
    {kIdReadConfig, "read", "Configure", "Read Config", "", "", "",
     "Reads both profiles from the tracker into the form, replacing what it shows."},
    {kIdReadVersion, "version", "Configure", "Read Version", "", "", "",
     "Asks the tracker for its version banner."},
    {kIdWriteConfig, "write", "Configure", "Write Config", "", "", "",
     "Writes both profiles to the tracker and reads them back to verify. To check the "
     "configuration against APRS practice first, use Check Configuration in the window menu "
     "(F7)."},
    {kIdSendLowTone, "tone low", "Tone Test", "Send 1200 Hz", "", "", "",
     "Makes the tracker send the low tone (1600 Hz with 300 Baud packet) until Stop Sending."},
    {kIdSendHighTone, "tone high", "Tone Test", "Send 2200 Hz", "", "", "",
     "Makes the tracker send the high tone (1800 Hz with 300 Baud packet) until Stop Sending."},
    {kIdSendBothTones, "tone both", "Tone Test", "Send Both", "", "", "",
     "Makes the tracker alternate both tones until Stop Sending."},
    {kIdStopSending, "tone stop", "Tone Test", "Stop Sending", "", "", "", "Stops the test tone."},
    {kIdSaveConfig, "set", "", "Save", "", "", "",
     "Saves both profiles to a configuration file (.kvc)."},
    {kIdLoadConfig, "show", "", "Load", "", "", "",
     "Loads both profiles from a configuration file, replacing what the form shows."},
    {kIdAbout, "--version", "", "About", "", "", "", "Shows the program's version."},
    {kIdExit, "", "", "Exit", "", "", "", "Closes the window; what isn't saved is lost."},

    {kHidden, "headerByte", "", "Header Byte", "", "0 to 255 (low 8 bits)", "128",
     "Image byte 2, carried from the tracker to the file and back; not shown in the form."},
    {kHidden, "reservedFlag", "", "Reserved Flag", "", "on or off", "off",
     "A flag bit carried from a read image to the next write; not shown in the form."},
    {kHidden, "slotDivides60", "", "Slot Divides 60", "", "on or off", "off",
     "Set when the image is built, while Time Slotting is on: whether Auto Transmit Rate "
     "divides 60; not shown in the form."},
    {kHidden, "slotDivides600", "", "Slot Divides 600", "", "on or off", "off",
     "Set when the image is built, while Time Slotting is on: whether Auto Transmit Rate "
     "divides 600; not shown in the form."},
};

}  // namespace

std::span<const Setting> Settings() {
  return kSettings;
}

const Setting* FindSettingByControl(int controlId) {
  if (controlId == Setting::kNotShown) return nullptr;
  const auto* found = std::find_if(std::begin(kSettings), std::end(kSettings),
                                   [&](const Setting& s) { return s.controlId == controlId; });
  return found == std::end(kSettings) ? nullptr : found;
}

const Setting* FindSettingByName(std::string_view cliName) {
  if (const auto named = FindNamedField(cliName)) cliName = named->field->name;
  const auto* found = std::find_if(std::begin(kSettings), std::end(kSettings),
                                   [&](const Setting& s) { return s.cliName == cliName; });
  return found == std::end(kSettings) ? nullptr : found;
}

std::string SettingHeading(const Setting& setting) {
  std::string heading;
  if (!setting.group.empty()) heading = std::string(setting.group) + ": ";
  heading += setting.label;
  if (!setting.unit.empty()) heading += " (" + std::string(setting.unit) + ")";
  return heading;
}

std::string SettingTooltip(const Setting& setting) {
  std::string tip = SettingHeading(setting);
  if (!setting.keeps.empty()) tip += "\nThe tracker keeps " + std::string(setting.keeps) + ".";
  if (!setting.defaultValue.empty()) {
    tip += (setting.keeps.empty() ? "\n" : " ") + std::string("Default: ") +
           std::string(setting.defaultValue) + ".";
  }
  tip += "\n" + std::string(setting.help);
  return tip;
}

}  // namespace korvaset
