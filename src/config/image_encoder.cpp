// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/address_text.h"
#include "config/config_record.h"
#include "config/fixed_text.h"
#include "config/image_layout.h"
#include "config/image_units.h"
#include "platform/message_box.h"

namespace korvaset {

namespace {

using namespace image;

using Image = std::array<std::uint8_t, kImageSize>;

constexpr const char* kTruncatedCaption = "Status Beacon Text Truncated";
constexpr const char* kTruncatedText =
    "The Primary or Secondary Status Beacon text is too long and has been tuncated.  To have a "
    "longer status beacon text, use fewer digipeaters, and make the primary and secondary "
    "callsigns, digipeaters, or status texts identical.";

constexpr const char* kTooLargeCaption = "Configuration Too Large";

// The last byte a status text's terminating zero may take; the blocks before the status
// texts must leave at least it free.
constexpr int kLastByte = kImageSize - 1;

std::uint8_t Low8(int value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}
std::uint8_t High8(int value) {
  return static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

// A per-profile 16-bit header value: low bytes at offset, high bytes two further on.
void PutSplit16(Image& image, int offset, int p, int value) {
  image[offset + p] = Low8(value);
  image[offset + 2 + p] = High8(value);
}

void PutAdjacent16(Image& image, int at, int value) {
  image[at] = Low8(value);
  image[at + 1] = High8(value);
}

// What a profile puts into the variable area before the status texts, worked out before
// anything is written so that a record that doesn't fit is refused whole.
struct ProfilePlan {
  int optionalSize = 0;
  bool sharesAddresses = false;
  std::vector<ParsedAddress> addresses;  // the callsign, then one per path element

  int AddressBlockSize() const {
    if (sharesAddresses) return 0;
    return static_cast<int>(addresses.size()) * kAddressSize +
           static_cast<int>(kAddressTrailer.size());
  }
};

ProfilePlan PlanProfile(const ConfigRecord& record, int p) {
  ProfilePlan plan;
  plan.optionalSize = (record.smartBeaconing[p] ? kSmartBeaconingSize : 0) +
                      (record.timeSlotting[p] ? kTimeSlotSize : 0);
  plan.sharesAddresses = p == 1 && TextOf(record.callsign[1]) == TextOf(record.callsign[0]) &&
                         TextOf(record.digiPath[1]) == TextOf(record.digiPath[0]);
  if (!plan.sharesAddresses) {
    plan.addresses.push_back(ParseAddress(TextOf(record.callsign[p])));
    for (std::string_view element : SplitPath(TextOf(record.digiPath[p]))) {
      plan.addresses.push_back(ParseAddress(element));
    }
  }
  return plan;
}

std::string TooLargeText(int needed) {
  return "The configuration is too large for the Korvalink: the callsigns, digipeaters, "
         "SmartBeaconing and Time Slotting settings of the Primary and Secondary profiles need " +
         std::to_string(needed) + " bytes, but only " + std::to_string(kLastByte - kVariableArea) +
         " are available.  Use fewer digipeaters, make the primary and secondary callsigns "
         "and digipeaters identical, or turn off SmartBeaconing or Time Slotting in one "
         "profile.";
}

void PutHeader(const ConfigRecord& r, int p, Image& image) {
  image[kHeaderByte + p] = Low8(r.headerByte);  // bytes 2 and 3 carry the same value
  image[kAutoTxDelay + p] = Low8(TxDelayToSteps(r.autoTxDelay[p], r.baud300[p]));
  image[kManualTxDelay + p] = Low8(TxDelayToSteps(r.manualTxDelay[p], r.baud300[p]));
  PutSplit16(image, kAutoTxRate, p, r.autoTxRate[p]);
  PutSplit16(image, kManualTxRate, p, r.manualTxRate[p]);
  image[kStatusEvery + p] = Low8(r.statusEvery[p]);
  image[kMicEMessage + p] = Low8(r.micEMessage[p]);
  image[kMicEPath + p] = Low8(r.micEPath[p]);
  image[kSymbol + p] = static_cast<std::uint8_t>(r.symbol[p]);
  image[kSymbolTable + p] = static_cast<std::uint8_t>(r.symbolTable[p]);
  image[kQuietTime + p] = Low8(QuietTimeToSteps(r.quietTime[p]));
  image[kPowerSwitchTime + p] = Low8(Clamp(r.powerSwitchTime[p], 0, 255));
  image[kWaypointChars + p] = Low8(Clamp(r.waypointChars[p], 0, 255));
  PutSplit16(image, kTelemetryRate, p, r.telemetryRate[p]);
  image[kRxLevel] = Low8(Clamp(r.rxLevel, 0, 255));
  image[kTxLevel] = Low8(Clamp(r.txLevel, 0, 255));
  image[kTxTwist] = Low8(Clamp(r.txTwist, 0, 100));
}

void PutSmartBeaconing(const ConfigRecord& r, int p, Image& image, int at) {
  image[at] = Low8(r.sbSlowSpeed[p]);
  image[at + 1] = Low8(r.sbFastSpeed[p]);
  PutAdjacent16(image, at + 2, r.sbSlowRate[p]);
  PutAdjacent16(image, at + 4, r.sbFastRate[p]);
  image[at + 6] = Low8(r.sbMinTurnAngle[p]);
  PutAdjacent16(image, at + 7, r.sbTurnSlope[p]);
  image[at + 9] = Low8(r.sbMinTurnTime[p]);
}

void PutFlags(const ConfigRecord& r, int p, Image& image) {
  for (const FlagBit& flag : kFlagBits) {
    if ((r.*flag.field)[p]) image[flag.offset + p] |= static_cast<std::uint8_t>(1 << flag.bit);
  }
}

void PutAddress(const ParsedAddress& address, bool last, Image& image, int at) {
  for (int i = 0; i < kAddressNameLength; ++i) {
    image[at + i] = static_cast<std::uint8_t>(static_cast<unsigned char>(address.name[i]) << 1);
  }
  image[at + kAddressNameLength] =
      static_cast<std::uint8_t>(((address.ssid | kSsidFixedBits) << 1) | (last ? kEndBit : 0));
}

}  // namespace

int ConfigRecord::EncodeImage(std::span<std::uint8_t> buffer) {
  if (buffer.size() < static_cast<std::size_t>(kImageSize)) {
    ShowError("Bad EE Size");
    return 1;
  }

  std::array<ProfilePlan, kProfileCount> plans;
  int needed = 0;
  for (int p = 0; p < kProfileCount; ++p) {
    plans[p] = PlanProfile(*this, p);
    needed += plans[p].optionalSize + plans[p].AddressBlockSize();
  }
  if (kVariableArea + needed > kLastByte) {
    ShowInfo(TooLargeText(needed), kTooLargeCaption);
    return 0;
  }

  Image image{};
  int k = kVariableArea;
  for (int p = 0; p < kProfileCount; ++p) {
    PutHeader(*this, p, image);
    image[kOptionalOffset + p] = Low8(k);
    if (smartBeaconing[p]) {
      PutSmartBeaconing(*this, p, image, k);
      k += kSmartBeaconingSize;
    }
    if (timeSlotting[p]) {
      // Two's complement in 16 bits; unsigned arithmetic keeps extreme values defined.
      const auto value = static_cast<std::uint32_t>(autoTxRate[p]) -
                         static_cast<std::uint32_t>(slotOffset[p]) + 1U;
      image[k] = static_cast<std::uint8_t>(value & 0xFF);
      image[k + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
      if (autoTxRate[p] != 0) {
        slotDivides60[p] = 60 % autoTxRate[p] == 0;
        slotDivides600[p] = 600 % autoTxRate[p] == 0;
      }
      k += kTimeSlotSize;
    }
    PutFlags(*this, p, image);
    image[kAddressOffset + p] = Low8(k);
    if (plans[p].sharesAddresses) {
      image[kAddressOffset + 1] = image[kAddressOffset];
      continue;
    }
    const std::vector<ParsedAddress>& addresses = plans[p].addresses;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
      PutAddress(addresses[i], i + 1 == addresses.size(), image, k);
      k += kAddressSize;
    }
    std::copy(kAddressTrailer.begin(), kAddressTrailer.end(), image.begin() + k);
    k += static_cast<int>(kAddressTrailer.size());
  }

  // Status texts take what is left; the planning above leaves k at kLastByte at most.
  bool truncated = false;
  for (int p = 0; p < kProfileCount; ++p) {
    image[kStatusOffset + p] = Low8(k);
    if (p == 1 && TextOf(statusText[1]) == TextOf(statusText[0])) {
      image[kStatusOffset + 1] = image[kStatusOffset];
      continue;
    }
    for (char c : TextOf(statusText[p])) {
      if (k < kLastByte) {
        image[k++] = static_cast<std::uint8_t>(c);
      } else {
        truncated = true;
      }
    }
    image[k] = 0;
    if (k < kLastByte) ++k;
  }

  std::copy(image.begin(), image.end(), buffer.begin());
  if (truncated) ShowInfo(kTruncatedText, kTruncatedCaption);
  return kImageSize;
}

}  // namespace korvaset
