// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace korvaset {

// The tracker keeps two complete profiles: Primary (0) and Secondary (1).
inline constexpr int kProfileCount = 2;

// The tracker's EEPROM configuration block.
inline constexpr int kImageSize = 128;

// Buffers that receive an image are this long; only the first kImageSize bytes count.
inline constexpr int kImageBufferSize = 200;

// Sizes of the text fields, terminating zero included.
inline constexpr int kCallsignSize = 20;
inline constexpr int kDigiPathSize = 100;
inline constexpr int kStatusTextSize = 200;

template <class T>
using PerProfile = std::array<T, kProfileCount>;

using CallsignText = std::array<char, kCallsignSize>;
using DigiPathText = std::array<char, kDigiPathSize>;
using StatusText = std::array<char, kStatusTextSize>;

// A flag is one byte holding 0 or 1.
using Flag = std::uint8_t;

// Raises value to lo if below it, then lowers it to hi if above it.
int Clamp(int value, int lo, int hi);

// Everything the tracker keeps in its device image, in the units the user edits: both
// profiles and the four shared values. Ranges are applied when the image is built.
struct ConfigRecord {
  ConfigRecord();

  // Copy text into the visible profile's field, cut to the field and always terminated.
  void SetCallsign(std::string_view text);
  void SetDigiPath(std::string_view text);
  void SetStatusText(std::string_view text);

  // Builds the device image into buffer (at least kImageSize bytes). Returns kImageSize;
  // anything else means no image was built and the reason has been shown.
  // Recomputes slotDivides60 and slotDivides600.
  int EncodeImage(std::span<std::uint8_t> buffer);

  // Fills both profiles and the shared values from a device image. Returns true on failure,
  // after showing why; the record is then unchanged.
  bool DecodeImage(std::span<const std::uint8_t> image);

  bool operator==(const ConfigRecord&) const = default;

  int visibleProfile = 0;
  PerProfile<CallsignText> callsign{};
  PerProfile<DigiPathText> digiPath{};
  PerProfile<StatusText> statusText{};
  int headerByte = 128;
  PerProfile<int> autoTxDelay{300, 300};    // ms
  PerProfile<int> manualTxDelay{125, 125};  // ms
  PerProfile<int> micEMessage{0, 0};        // index into the MIC-E message list
  PerProfile<int> micEPath{0, 0};           // index into the MIC-E path list
  PerProfile<char> symbol{'>', '>'};
  PerProfile<char> symbolTable{'/', '/'};
  PerProfile<int> statusEvery{3, 3};
  PerProfile<int> autoTxRate{120, 120};  // s
  PerProfile<int> manualTxRate{30, 30};
  PerProfile<int> slotOffset{15, 15};      // s
  PerProfile<int> sbSlowSpeed{5, 5};       // knots
  PerProfile<int> sbFastSpeed{65, 65};     // knots
  PerProfile<int> sbSlowRate{1800, 1800};  // s
  PerProfile<int> sbFastRate{90, 90};      // s
  PerProfile<int> sbMinTurnAngle{27, 27};  // degrees
  PerProfile<int> sbTurnSlope{255, 255};
  PerProfile<int> sbMinTurnTime{5, 5};
  PerProfile<int> quietTime{500, 500};    // ms
  PerProfile<int> powerSwitchTime{3, 3};  // s
  PerProfile<int> waypointChars{9, 9};    // 0: waypoint output off
  PerProfile<int> telemetryRate{0, 0};
  int rxLevel = 100;
  int txLevel = 100;
  int txTwist = 50;

  // Flags, in the order of their bits in the device image.
  PerProfile<Flag> forcePrintable{0, 0};
  PerProfile<Flag> onlySendValid{0, 0};
  PerProfile<Flag> timeSlotting{0, 0};
  PerProfile<Flag> slotDivides60{0, 0};   // set by EncodeImage
  PerProfile<Flag> slotDivides600{0, 0};  // set by EncodeImage
  PerProfile<Flag> smartBeaconing{0, 0};
  PerProfile<Flag> sendAltitude{1, 1};
  PerProfile<Flag> micE{1, 1};
  PerProfile<Flag> powerSwitch{0, 0};
  PerProfile<Flag> timestamp{0, 0};
  PerProfile<Flag> reservedFlag{0, 0};  // carried from a decoded image to the next
  PerProfile<Flag> alternateDigiPaths{0, 0};
  PerProfile<Flag> invertCdIn{0, 0};
  PerProfile<Flag> timestampHms{0, 0};
  PerProfile<Flag> noTxOnPttIn{0, 0};
  PerProfile<Flag> sendNmea{0, 0};
  PerProfile<Flag> sendSeparate{0, 0};
  PerProfile<Flag> baud300{0, 0};
  PerProfile<Flag> sendVoltage{0, 0};
  PerProfile<Flag> sendTemp{0, 0};
  PerProfile<Flag> sendAfterPosition{0, 0};
  PerProfile<Flag> noGtPrefix{0, 0};
  PerProfile<Flag> serialOutHigh{0, 0};
  PerProfile<Flag> skipStartPacket{0, 0};
  PerProfile<Flag> gps9600{0, 0};
};

// The MIC-E message that makes Write Config ask for confirmation ("Emergency!").
inline constexpr int kEmergencyMessage = 7;

}  // namespace korvaset
