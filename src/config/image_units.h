// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

namespace korvaset {

// The record holds milliseconds, the device image holds the tracker's steps: one byte time
// (6.666 ms at 1200 baud, 26.666 ms at 300 baud) for the TX delays, 26.3 ms for the quiet
// time. Steps are clamped to 0..255; the round trip may move a value by up to a step.
int TxDelayToSteps(int ms, bool baud300);
int TxDelayFromSteps(int steps, bool baud300);
int QuietTimeToSteps(int ms);
int QuietTimeFromSteps(int steps);

// A value that encodes to the same steps as ms, for ms as the decoder gives it: ms itself
// when it encodes back to the steps it came from, else the nearest multiple of 5 that does
// (19 steps decode to 127 ms, which would encode as 20; 125 encodes as 19). Any other value
// is returned as it is.
int TxDelayKeepingSteps(int ms, bool baud300);
int QuietTimeKeepingSteps(int ms);

}  // namespace korvaset
