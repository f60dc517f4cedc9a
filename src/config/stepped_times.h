// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "config/config_record.h"

namespace korvaset {

// A time that the device image holds as a count of the tracker's steps rather than in ms.
// Not every step count survives a decode and a second encode (1 step at 1200 baud decodes
// to 7 ms, which encodes as 2 steps), so a value read is not always the value written.
struct SteppedTime {
  std::string_view name;  // the record field's name
  PerProfile<int> ConfigRecord::*field;
  int offset;    // image byte of the Primary's steps; the Secondary's is the next one
  bool txDelay;  // a TX delay, whose step is one byte time at the profile's line speed

  int ToSteps(int ms, bool baud300) const;
  int FromSteps(int steps, bool baud300) const;
  // The longest time the image holds: that of 255 steps (1700, 6800 or 6706 ms).
  int LongestMs(bool baud300) const;
};

// autoTxDelay, manualTxDelay and quietTime.
std::span<const SteppedTime> SteppedTimes();

// The stepped time of the record field called name, or nullptr.
const SteppedTime* FindSteppedTime(std::string_view name);

// Gives image, encoded from record, the step bytes of base for every stepped time of each
// profile that record holds at the value base decodes to, so that an edit leaves the times
// it didn't change at the tracker's steps. A TX delay keeps its byte only while the
// profile's baud300 is also as base has it: that flag changes what the steps mean. base
// must decode.
void KeepStepBytes(const ConfigRecord& record, std::span<const std::uint8_t> base,
                   std::span<std::uint8_t> image);

}  // namespace korvaset
