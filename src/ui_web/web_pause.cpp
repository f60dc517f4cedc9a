// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// Pauses in the page: an await of a timer, through ASYNCIFY, so the browser goes on.
#include <emscripten.h>

#include "platform/pause.h"

namespace korvaset {

void PauseMilliseconds(int milliseconds) {
  if (milliseconds > 0) emscripten_sleep(static_cast<unsigned>(milliseconds));
}

// Browser timers have no coarse system tick to hold.
FineTimerScope::FineTimerScope() = default;
FineTimerScope::~FineTimerScope() = default;

}  // namespace korvaset
