// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "config/stepped_times.h"

#include <algorithm>

#include "config/image_layout.h"
#include "config/image_units.h"

namespace korvaset {

namespace {

constexpr SteppedTime kSteppedTimes[] = {
    {"autoTxDelay", &ConfigRecord::autoTxDelay, image::kAutoTxDelay, true},
    {"manualTxDelay", &ConfigRecord::manualTxDelay, image::kManualTxDelay, true},
    {"quietTime", &ConfigRecord::quietTime, image::kQuietTime, false},
};

constexpr int kMaxSteps = 255;

}  // namespace

int SteppedTime::ToSteps(int ms, bool baud300) const {
  return txDelay ? TxDelayToSteps(ms, baud300) : QuietTimeToSteps(ms);
}

int SteppedTime::FromSteps(int steps, bool baud300) const {
  return txDelay ? TxDelayFromSteps(steps, baud300) : QuietTimeFromSteps(steps);
}

int SteppedTime::LongestMs(bool baud300) const {
  return FromSteps(kMaxSteps, baud300);
}

std::span<const SteppedTime> SteppedTimes() {
  return kSteppedTimes;
}

const SteppedTime* FindSteppedTime(std::string_view name) {
  const auto* found = std::find_if(std::begin(kSteppedTimes), std::end(kSteppedTimes),
                                   [name](const SteppedTime& time) { return time.name == name; });
  return found == std::end(kSteppedTimes) ? nullptr : found;
}

void KeepStepBytes(const ConfigRecord& record, std::span<const std::uint8_t> base,
                   std::span<std::uint8_t> image) {
  ConfigRecord shown;
  if (shown.DecodeImage(base)) return;
  for (int p = 0; p < kProfileCount; ++p) {
    for (const SteppedTime& time : kSteppedTimes) {
      const bool sameStep = !time.txDelay || record.baud300[p] == shown.baud300[p];
      if (sameStep && (record.*time.field)[p] == (shown.*time.field)[p]) {
        image[time.offset + p] = base[time.offset + p];
      }
    }
  }
}

}  // namespace korvaset
