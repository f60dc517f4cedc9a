// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <signal.h>

#include <array>

namespace korvaset {

// A handler of ours for the signals that ask a program to end (SIGINT, SIGTERM, SIGHUP),
// in place while this lives; the earlier dispositions come back after. A signal that was
// ignored (nohup, a background job) asks for nothing and stays ignored. The handler runs
// with all three blocked, so it never interrupts itself. POSIX only.
class EndSignalHandlers {
 public:
  explicit EndSignalHandlers(void (*handler)(int));
  ~EndSignalHandlers();
  EndSignalHandlers(const EndSignalHandlers&) = delete;
  EndSignalHandlers& operator=(const EndSignalHandlers&) = delete;

  // Whether the signal came to us in place of a handler of the program's own.
  bool ReplacedOwnHandler(int signal) const;

 private:
  static constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};

  std::array<struct sigaction, kSignals.size()> previous_{};
  std::array<bool, kSignals.size()> caught_{};
};

}  // namespace korvaset
