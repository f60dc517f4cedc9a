// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "config/stepped_times.h"

#include <gtest/gtest.h>

#include "config/image_layout.h"
#include "config/image_units.h"
#include "image_test_support.h"

namespace korvaset {
namespace {

using SteppedTimesTest = CodecTest;

// Every step count of each time, at both line speeds, in both profiles: an edit of another
// field leaves it, and every other byte, as it was.
TEST_F(SteppedTimesTest, AnEditKeepsTheStepsOfTimesItDidntChange) {
  int moved = 0;
  for (const bool baud300 : {false, true}) {
    ConfigRecord start;
    start.baud300 = {baud300, baud300};
    const Image startImage = Encode(start);
    for (const SteppedTime& time : SteppedTimes()) {
      for (int steps = 0; steps <= 255; ++steps) {
        SCOPED_TRACE(testing::Message() << time.name << " " << steps << " baud300 " << baud300);
        Image base = startImage;
        base[time.offset] = static_cast<std::uint8_t>(steps);
        base[time.offset + 1] = static_cast<std::uint8_t>(255 - steps);
        ConfigRecord record = Decode(base);
        record.rxLevel = 42;
        Image edited = Encode(record);
        moved += edited[time.offset] != steps;
        KeepStepBytes(record, base, edited);
        base[image::kRxLevel] = 42;
        EXPECT_EQ(edited, base);
      }
    }
  }
  EXPECT_GT(moved, 100);  // without the rule, many of them would have moved
}

// A time given a new value, and a TX delay whose line speed changed, get steps of their own.
TEST_F(SteppedTimesTest, ANewValueOrLineSpeedIsEncodedAgain) {
  ConfigRecord start;
  const Image base = Encode(start);
  ConfigRecord record = Decode(base);  // manualTxDelay 127 ms, stored as 19 steps
  record.manualTxDelay[0] = 300;
  record.baud300[1] = 1;
  Image edited = Encode(record);
  KeepStepBytes(record, base, edited);
  EXPECT_EQ(edited[image::kManualTxDelay], 45);
  EXPECT_EQ(edited[image::kAutoTxDelay + 1], TxDelayToSteps(300, true));
  EXPECT_EQ(edited[image::kManualTxDelay + 1], TxDelayToSteps(127, true));
  EXPECT_EQ(edited[image::kQuietTime + 1], base[image::kQuietTime + 1]);  // no line speed
  EXPECT_EQ(edited[image::kAutoTxDelay], base[image::kAutoTxDelay]);
}

}  // namespace
}  // namespace korvaset
