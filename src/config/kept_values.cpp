// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "config/kept_values.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <utility>

#include "config/address_text.h"
#include "config/image_layout.h"
#include "config/stepped_times.h"

namespace korvaset {

namespace {

// How the encoder stores a number field.
enum class Storage { kLow8, kLow16, kClamped255, kClamped100 };

struct NumberStorage {
  std::string_view name;
  Storage storage;
};

constexpr NumberStorage kNumberStorage[] = {
    {"headerByte", Storage::kLow8},
    {"micEMessage", Storage::kLow8},
    {"micEPath", Storage::kLow8},
    {"statusEvery", Storage::kLow8},
    {"sbSlowSpeed", Storage::kLow8},
    {"sbFastSpeed", Storage::kLow8},
    {"sbMinTurnAngle", Storage::kLow8},
    {"sbMinTurnTime", Storage::kLow8},
    {"autoTxRate", Storage::kLow16},
    {"manualTxRate", Storage::kLow16},
    {"sbSlowRate", Storage::kLow16},
    {"sbFastRate", Storage::kLow16},
    {"sbTurnSlope", Storage::kLow16},
    {"telemetryRate", Storage::kLow16},
    {"powerSwitchTime", Storage::kClamped255},
    {"waypointChars", Storage::kClamped255},
    {"rxLevel", Storage::kClamped255},
    {"txLevel", Storage::kClamped255},
    {"txTwist", Storage::kClamped100},
};

std::string Range(long long lowest, long long highest, std::string_view unit = "") {
  return std::to_string(lowest) + " to " + std::to_string(highest) + std::string(unit);
}

KeptValue Number(int value, int kept, std::string range) {
  return {kept == value ? Keeping::kExactly : Keeping::kChanged, std::to_string(kept),
          std::move(range)};
}

KeptValue StoredNumber(Storage storage, int value) {
  switch (storage) {
    case Storage::kLow8:
      return Number(value, value & 0xFF, Range(0, 0xFF));
    case Storage::kLow16:
      return Number(value, value & 0xFFFF, Range(0, 0xFFFF));
    case Storage::kClamped255:
      return Number(value, Clamp(value, 0, 255), Range(0, 255));
    case Storage::kClamped100:
      return Number(value, Clamp(value, 0, 100), Range(0, 100));
  }
  return Number(value, value, "");
}

KeptValue SteppedValue(const SteppedTime& time, int ms, bool baud300) {
  const int longest = time.LongestMs(baud300);
  const int kept = time.FromSteps(time.ToSteps(ms, baud300), baud300);
  const Keeping keeping = ms < 0 || ms > longest ? Keeping::kChanged
                          : kept == ms           ? Keeping::kExactly
                                                 : Keeping::kRounded;
  return {keeping, std::to_string(kept), Range(0, longest, " ms")};
}

// The image holds autoTxRate - slotOffset + 1 in 16 bits, and the decoder takes slotOffset
// back from it and the 16 bits of autoTxRate.
KeptValue SlotOffset(const ConfigRecord& r, int p) {
  const int offset = r.slotOffset[p];
  if (!r.timeSlotting[p]) return {Keeping::kExactly, std::to_string(offset), ""};
  const long long rate = r.autoTxRate[p] & 0xFFFF;
  const auto stored =
      (static_cast<std::uint32_t>(r.autoTxRate[p]) - static_cast<std::uint32_t>(offset) + 1U) &
      0xFFFFU;
  const long long kept = rate - stored + 1;
  return {kept == offset ? Keeping::kExactly : Keeping::kChanged, std::to_string(kept),
          Range(rate - 0xFFFF + 1, rate + 1) + " (autoTxRate + 1 and below)"};
}

KeptValue Character(char value, char inPlaceOfUnstored) {
  const char kept = image::DecodedCharacter(static_cast<unsigned char>(value), inPlaceOfUnstored);
  return {kept == value ? Keeping::kExactly : Keeping::kChanged, std::string(1, kept),
          "a character from 32 to 127"};
}

constexpr std::string_view kAddressRange =
    "up to 6 letters and digits, then nothing or a hyphen and an SSID of 0 to 15";

KeptValue Callsign(std::string_view text) {
  return {KeepsAddressText(text) ? Keeping::kExactly : Keeping::kChanged,
          CanonicalAddressText(text), std::string(kAddressRange)};
}

// Each element of the path is one address.
KeptValue DigiPath(std::string_view path) {
  KeptValue kept{Keeping::kExactly, "", "addresses of " + std::string(kAddressRange)};
  for (const std::string_view element : SplitPath(path)) {
    if (!KeepsAddressText(element)) kept.keeping = Keeping::kChanged;
    AppendPathElement(kept.value, CanonicalAddressText(element));
  }
  return kept;
}

}  // namespace

KeptValue KeptFieldValue(const ConfigRecord& record, const RecordField& field, int profile) {
  const int p = field.IsPerProfile() ? profile : 0;
  const std::string written = FormatField(record, field, profile);
  if (const SteppedTime* time = FindSteppedTime(field.name)) {
    return SteppedValue(*time, (record.*time->field)[p], record.baud300[p]);
  }
  const auto* number =
      std::find_if(std::begin(kNumberStorage), std::end(kNumberStorage),
                   [&field](const NumberStorage& n) { return n.name == field.name; });
  if (number != std::end(kNumberStorage)) return StoredNumber(number->storage, std::stoi(written));
  if (field.name == "slotOffset") return SlotOffset(record, p);
  if (field.name == "symbol") return Character(record.symbol[p], image::kSymbolInPlaceOfUnstored);
  if (field.name == "symbolTable") {
    return Character(record.symbolTable[p], image::kTableInPlaceOfUnstored);
  }
  if (field.name == "callsign") return Callsign(written);
  if (field.name == "digiPath") return DigiPath(written);
  return {Keeping::kExactly, written, ""};  // flags and status texts
}

}  // namespace korvaset
