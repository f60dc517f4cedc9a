// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <windows.h>  // with mmsystem.h: timeBeginPeriod

#include "platform/pause.h"

namespace korvaset {

void PauseMilliseconds(int milliseconds) {
  if (milliseconds <= 0) return;
  Sleep(static_cast<DWORD>(milliseconds));
}

FineTimerScope::FineTimerScope() {
  timeBeginPeriod(1);
}
FineTimerScope::~FineTimerScope() {
  timeEndPeriod(1);
}

}  // namespace korvaset
