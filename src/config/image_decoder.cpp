// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "config/address_text.h"
#include "config/config_record.h"
#include "config/fixed_text.h"
#include "config/image_layout.h"
#include "config/image_units.h"
#include "config/stored_paths.h"
#include "platform/message_box.h"

namespace korvaset {

namespace {

using namespace image;

constexpr int kDigiPathLength = kDigiPathSize - 1;

// Reads one image into a record, following the offsets and end bits of the image but never
// reading outside it. On damage it stops and says what is damaged; the record is then only
// partly filled and must be thrown away.
class ImageDecoder {
 public:
  ImageDecoder(std::span<const std::uint8_t> image, ConfigRecord& record)
      : image_(image), r_(record) {}

  bool Decode() {
    if (std::all_of(image_.begin(), image_.end(), [](std::uint8_t b) { return b == 0xFF; })) {
      return Damaged(
          "the image is blank (every byte is 0xFF), so the tracker holds no "
          "configuration");
    }
    for (int p = 0; p < kProfileCount; ++p) {
      if (!DecodeProfile(p)) return false;
    }
    return true;
  }

  const std::string& damage() const { return damage_; }

  // The canonical texts of a profile's path addresses, blank ones included.
  const std::vector<std::string>& pathElements(int p) const { return pathElements_[p]; }

 private:
  int At(int offset) const { return image_[static_cast<std::size_t>(offset)]; }

  int Split16(int offset, int p) const { return At(offset + p) + 256 * At(offset + 2 + p); }

  int Adjacent16(int at) const { return At(at) + 256 * At(at + 1); }

  bool Damaged(std::string what) {
    damage_ = std::move(what);
    return false;
  }

  bool Damaged(int p, const std::string& what) {
    return Damaged("the " + std::string(kProfileNames[p]) + " " + what);
  }

  // The canonical text of the address at offset, which must lie inside the image.
  std::string AddressText(int at) const {
    char text[16] = {};
    for (int i = 0; i < kAddressNameLength; ++i) text[i] = static_cast<char>(At(at + i) >> 1);
    // Bit 7 of the SSID byte survives the mask as 64 added to the SSID, which then reads as
    // out of range.
    std::snprintf(text + kAddressNameLength, sizeof text - kAddressNameLength, "-%d",
                  (At(at + kAddressNameLength) >> 1) & kSsidDecodeMask);
    NormalizeAddress(text);
    return text;
  }

  bool DecodeAddresses(int p) {
    int at = At(kAddressOffset + p);
    if (at > kImageSize - kAddressSize) return Damaged(p, "address block" + Beyond(at));
    CopyCut(r_.callsign[p], AddressText(at));
    std::string path;
    while (!(At(at + kAddressNameLength) & kEndBit)) {
      at += kAddressSize;
      if (at > kImageSize - kAddressSize) {
        return Damaged(p, "address block has no last address inside the image");
      }
      pathElements_[p].push_back(AddressText(at));
      AppendPathElement(path, pathElements_[p].back());
      if (path.size() > static_cast<std::size_t>(kDigiPathLength)) {
        return Damaged(
            p, "digi path is longer than " + std::to_string(kDigiPathLength) + " characters");
      }
    }
    CopyCut(r_.digiPath[p], path);
    return true;
  }

  bool DecodeStatusText(int p) {
    const int at = At(kStatusOffset + p);
    if (at >= kImageSize) return Damaged(p, "status text" + Beyond(at));
    const auto begin = image_.begin() + at;
    const auto end = std::find(begin, image_.end(), 0);
    if (end == image_.end()) return Damaged(p, "status text has no end inside the image");
    CopyCut(r_.statusText[p], std::string(begin, end));
    return true;
  }

  bool DecodeOptionalArea(int p) {
    if (!r_.smartBeaconing[p] && !r_.timeSlotting[p]) return true;
    int at = At(kOptionalOffset + p);
    if (r_.smartBeaconing[p]) {
      if (at > kImageSize - kSmartBeaconingSize) {
        return Damaged(p, "SmartBeaconing block" + Beyond(at));
      }
      r_.sbSlowSpeed[p] = At(at);
      r_.sbFastSpeed[p] = At(at + 1);
      r_.sbSlowRate[p] = Adjacent16(at + 2);
      r_.sbFastRate[p] = Adjacent16(at + 4);
      r_.sbMinTurnAngle[p] = At(at + 6);
      r_.sbTurnSlope[p] = Adjacent16(at + 7);
      r_.sbMinTurnTime[p] = At(at + 9);
      at += kSmartBeaconingSize;
    }
    if (r_.timeSlotting[p]) {
      if (at > kImageSize - kTimeSlotSize) return Damaged(p, "Time Slotting block" + Beyond(at));
      r_.slotOffset[p] = r_.autoTxRate[p] - Adjacent16(at) + 1;
    }
    return true;
  }

  static std::string Beyond(int at) {
    return " at byte " + std::to_string(at) + " runs past the end of the image";
  }

  bool DecodeProfile(int p) {
    if (!DecodeAddresses(p) || !DecodeStatusText(p)) return false;
    r_.headerByte = At(kHeaderByte);
    r_.micEMessage[p] = At(kMicEMessage + p);
    r_.micEPath[p] = At(kMicEPath + p);
    const int symbol = At(kSymbol + p);
    const int table = At(kSymbolTable + p);
    r_.symbol[p] = DecodedCharacter(symbol, kSymbolInPlaceOfUnstored);
    r_.symbolTable[p] = DecodedCharacter(table, kTableInPlaceOfUnstored);
    r_.statusEvery[p] = At(kStatusEvery + p);
    r_.powerSwitchTime[p] = At(kPowerSwitchTime + p);
    r_.waypointChars[p] = At(kWaypointChars + p);
    r_.autoTxRate[p] = Split16(kAutoTxRate, p);
    r_.manualTxRate[p] = Split16(kManualTxRate, p);
    r_.telemetryRate[p] = Split16(kTelemetryRate, p);
    r_.quietTime[p] = QuietTimeFromSteps(At(kQuietTime + p));
    r_.rxLevel = At(kRxLevel);
    r_.txLevel = At(kTxLevel);
    r_.txTwist = At(kTxTwist);
    for (const FlagBit& flag : kFlagBits) {
      (r_.*flag.field)[p] = static_cast<Flag>((At(flag.offset + p) >> flag.bit) & 1);
    }
    r_.autoTxDelay[p] = TxDelayFromSteps(At(kAutoTxDelay + p), r_.baud300[p]);
    r_.manualTxDelay[p] = TxDelayFromSteps(At(kManualTxDelay + p), r_.baud300[p]);
    return DecodeOptionalArea(p);
  }

  std::span<const std::uint8_t> image_;
  ConfigRecord& r_;
  std::string damage_;
  PerProfile<std::vector<std::string>> pathElements_;
};

}  // namespace

bool ConfigRecord::DecodeImage(std::span<const std::uint8_t> image) {
  if (image.size() != static_cast<std::size_t>(kImageSize)) {
    return ShowError("Bad EE Size " + std::to_string(image.size()) + "\n");
  }
  // Decode into a copy so that a damaged image leaves this record as it was; the fields an
  // image doesn't carry keep their values through the copy.
  ConfigRecord decoded = *this;
  ImageDecoder decoder(image, decoded);
  if (!decoder.Decode()) return ShowError("Bad EE Image: " + decoder.damage() + ".");
  *this = decoded;
  return false;
}

std::optional<PerProfile<std::string>> StoredDigiPaths(std::span<const std::uint8_t> image) {
  if (image.size() != static_cast<std::size_t>(kImageSize)) return std::nullopt;
  ConfigRecord scratch;
  ImageDecoder decoder(image, scratch);
  if (!decoder.Decode()) return std::nullopt;
  return PerProfile<std::string>{JoinPathExactly(decoder.pathElements(0)),
                                 JoinPathExactly(decoder.pathElements(1))};
}

}  // namespace korvaset
