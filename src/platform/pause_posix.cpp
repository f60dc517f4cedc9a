// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <time.h>

#include <cerrno>
#include <chrono>

#include "platform/pause.h"

namespace korvaset {

void PauseMilliseconds(int milliseconds) {
  if (milliseconds <= 0) return;
#ifdef __APPLE__
  // No clock_nanosleep here: sleep in steps until the monotonic clock says we are done.
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (auto now = std::chrono::steady_clock::now(); now < end;
       now = std::chrono::steady_clock::now()) {
    const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(end - now).count();
    timespec step{.tv_sec = static_cast<time_t>(left / 1'000'000'000),
                  .tv_nsec = static_cast<long>(left % 1'000'000'000)};
    nanosleep(&step, nullptr);
  }
#else
  timespec end{};
  clock_gettime(CLOCK_MONOTONIC, &end);
  end.tv_sec += milliseconds / 1000;
  end.tv_nsec += static_cast<long>(milliseconds % 1000) * 1'000'000L;
  if (end.tv_nsec >= 1'000'000'000L) {
    end.tv_sec += 1;
    end.tv_nsec -= 1'000'000'000L;
  }
  // An absolute deadline makes a restart after a signal lose no time and add none.
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &end, nullptr) == EINTR) {
  }
#endif
}

FineTimerScope::FineTimerScope() = default;
FineTimerScope::~FineTimerScope() = default;

}  // namespace korvaset
