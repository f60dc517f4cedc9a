// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "config/image_units.h"

#include "config/config_record.h"

namespace korvaset {

namespace {

// The tracker's constants are single-precision; the arithmetic runs in double on their
// single-precision values, so the multipliers are not the exact reciprocals of the steps.
constexpr double kTxStepMs = 6.666f;
constexpr double kTxStepMs300 = 26.666f;
constexpr double kQuietStepMs = 26.3f;
constexpr double kTxStepsPerMs = 0.15001501f;
constexpr double kTxStepsPerMs300 = 0.037500937f;
constexpr double kQuietStepsPerMs = 0.038022816f;

// Truncates toward zero like a C conversion to int. The values reached here from an int
// times one of the multipliers stay well inside int.
int ToSteps(int ms, int roundingMs, double stepsPerMs) {
  return Clamp(static_cast<int>((static_cast<double>(ms) + roundingMs) * stepsPerMs + 0.5), 0, 255);
}

int ToMs(int steps, double stepMs) {
  return static_cast<int>(steps * stepMs + 0.5);
}

constexpr int kMaxSteps = 255;

template <class ToStepsFn, class FromStepsFn>
int KeepingSteps(int ms, ToStepsFn toSteps, FromStepsFn fromSteps) {
  int steps = 0;
  while (steps <= kMaxSteps && fromSteps(steps) != ms) ++steps;
  if (steps > kMaxSteps || toSteps(ms) == steps) return ms;
  // Every step spans more than 5 ms, so a round value is always among its values.
  const int reach = fromSteps(1) + 5;
  for (int distance = 1; distance <= reach; ++distance) {
    for (const int candidate : {ms - distance, ms + distance}) {
      if (candidate % 5 == 0 && toSteps(candidate) == steps) return candidate;
    }
  }
  return ms;
}

}  // namespace

int TxDelayToSteps(int ms, bool baud300) {
  return baud300 ? ToSteps(ms, 13, kTxStepsPerMs300) : ToSteps(ms, 3, kTxStepsPerMs);
}

int TxDelayFromSteps(int steps, bool baud300) {
  return ToMs(steps, baud300 ? kTxStepMs300 : kTxStepMs);
}

int QuietTimeToSteps(int ms) {
  return ToSteps(ms, 13, kQuietStepsPerMs);
}

int QuietTimeFromSteps(int steps) {
  return ToMs(steps, kQuietStepMs);
}

int TxDelayKeepingSteps(int ms, bool baud300) {
  return KeepingSteps(
      ms, [baud300](int value) { return TxDelayToSteps(value, baud300); },
      [baud300](int steps) { return TxDelayFromSteps(steps, baud300); });
}

int QuietTimeKeepingSteps(int ms) {
  return KeepingSteps(ms, QuietTimeToSteps, QuietTimeFromSteps);
}

}  // namespace korvaset
