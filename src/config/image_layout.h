// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <array>
#include <cstdint>

#include "config/config_record.h"

// Positions in the device image, shared by its encoder and decoder. A per-profile byte sits
// at the even offset for the Primary and the next one for the Secondary; a per-profile
// 16-bit value has its low bytes at n, n + 1 and its high bytes at n + 2, n + 3.
namespace korvaset::image {

inline constexpr int kAddressOffset = 0;
inline constexpr int kHeaderByte = 2;  // written twice, at 2 and 3; read from 2 only
inline constexpr int kAutoTxDelay = 4;
inline constexpr int kManualTxDelay = 6;
inline constexpr int kAutoTxRate = 8;
inline constexpr int kManualTxRate = 12;
inline constexpr int kStatusEvery = 20;
inline constexpr int kStatusOffset = 22;
inline constexpr int kOptionalOffset = 24;
inline constexpr int kMicEMessage = 26;
inline constexpr int kMicEPath = 28;
inline constexpr int kSymbol = 30;
inline constexpr int kSymbolTable = 32;
inline constexpr int kQuietTime = 34;
inline constexpr int kPowerSwitchTime = 36;
inline constexpr int kWaypointChars = 40;
inline constexpr int kTelemetryRate = 42;
inline constexpr int kRxLevel = 52;
inline constexpr int kTxLevel = 53;
inline constexpr int kTxTwist = 54;

// Start of the area packed with the optional blocks, address blocks and status texts.
inline constexpr int kVariableArea = 56;

inline constexpr int kSmartBeaconingSize = 10;
inline constexpr int kTimeSlotSize = 2;
inline constexpr int kAddressSize = 7;

// AX.25 UI control byte, "no layer 3" protocol id and a zero that ends the block as a string.
inline constexpr std::array<std::uint8_t, 3> kAddressTrailer{0x03, 0xF0, 0x00};

// Bits of the SSID byte of an address.
inline constexpr std::uint8_t kEndBit = 0x01;
inline constexpr int kSsidFixedBits = 0x30;
inline constexpr int kSsidDecodeMask = 0xCF;

// A symbol or table byte outside 32..127 decodes to one of these.
inline constexpr char kSymbolInPlaceOfUnstored = '-';
inline constexpr char kTableInPlaceOfUnstored = '/';

inline constexpr char DecodedCharacter(int byte, char inPlaceOfUnstored) {
  return byte >= 32 && byte <= 127 ? static_cast<char>(byte) : inPlaceOfUnstored;
}

inline constexpr const char* kProfileNames[kProfileCount] = {"Primary", "Secondary"};

using FlagField = PerProfile<Flag> ConfigRecord::*;

// Where each flag lives: the Primary's flag byte offset, and the bit in it.
struct FlagBit {
  int offset;
  int bit;
  FlagField field;
};

inline constexpr FlagBit kFlagBits[] = {
    {16, 0, &ConfigRecord::forcePrintable},    {16, 1, &ConfigRecord::onlySendValid},
    {16, 2, &ConfigRecord::timeSlotting},      {16, 3, &ConfigRecord::slotDivides60},
    {16, 4, &ConfigRecord::slotDivides600},    {16, 5, &ConfigRecord::smartBeaconing},
    {16, 6, &ConfigRecord::sendAltitude},      {16, 7, &ConfigRecord::micE},
    {18, 0, &ConfigRecord::powerSwitch},       {18, 1, &ConfigRecord::timestamp},
    {18, 2, &ConfigRecord::reservedFlag},      {18, 3, &ConfigRecord::alternateDigiPaths},
    {18, 4, &ConfigRecord::invertCdIn},        {18, 5, &ConfigRecord::timestampHms},
    {18, 6, &ConfigRecord::noTxOnPttIn},       {18, 7, &ConfigRecord::sendNmea},
    {38, 0, &ConfigRecord::sendSeparate},      {38, 1, &ConfigRecord::baud300},
    {38, 2, &ConfigRecord::sendVoltage},       {38, 3, &ConfigRecord::sendTemp},
    {38, 4, &ConfigRecord::sendAfterPosition}, {38, 5, &ConfigRecord::noGtPrefix},
    {38, 6, &ConfigRecord::serialOutHigh},     {38, 7, &ConfigRecord::skipStartPacket},
    {46, 3, &ConfigRecord::gps9600},
};

}  // namespace korvaset::image
