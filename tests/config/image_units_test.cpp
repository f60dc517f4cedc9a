// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "config/image_units.h"

#include <gtest/gtest.h>

#include <climits>

namespace korvaset {
namespace {

struct TxDelayCase {
  int ms;
  bool baud300;
  int steps;
  int decodedMs;
};

// One step read back (7 ms) does not survive a second write: 7 ms encodes to 2 steps.
TEST(ImageUnits, TxDelayConvertsAsTheTrackerCounts) {
  const TxDelayCase cases[] = {
      {300, false, 45, 300},    {125, false, 19, 127},   {300, true, 12, 320},
      {7, false, 2, 13},        {6, false, 1, 7},        {0, false, 0, 0},
      {1700, false, 255, 1700}, {6800, true, 255, 6800}, {INT_MAX, false, 255, 1700},
      {-50, false, 0, 0},       {INT_MIN, true, 0, 0},
  };
  for (const TxDelayCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.ms << " ms, baud300 " << c.baud300);
    EXPECT_EQ(TxDelayToSteps(c.ms, c.baud300), c.steps);
    EXPECT_EQ(TxDelayFromSteps(c.steps, c.baud300), c.decodedMs);
  }
}

TEST(ImageUnits, QuietTimeConverts) {
  const int cases[][3] = {{500, 20, 526}, {0, 0, 0}, {6706, 255, 6706}, {100000, 255, 6706}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c[0]);
    EXPECT_EQ(QuietTimeToSteps(c[0]), c[1]);
    EXPECT_EQ(QuietTimeFromSteps(c[1]), c[2]);
  }
}

}  // namespace
}  // namespace korvaset
