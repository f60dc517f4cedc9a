// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

namespace korvaset {

// Pauses the calling thread for at least this many milliseconds, measured on a monotonic
// clock, so that neither a signal nor a change of the wall clock shortens it.
void PauseMilliseconds(int milliseconds);

// Holds the system timer at 1 ms resolution while it lives, so that short pauses last what
// they ask (the default Windows tick makes a 10 ms pause 15.6 ms). Nothing on POSIX.
class FineTimerScope {
 public:
  FineTimerScope();
  ~FineTimerScope();
  FineTimerScope(const FineTimerScope&) = delete;
  FineTimerScope& operator=(const FineTimerScope&) = delete;
};

}  // namespace korvaset
