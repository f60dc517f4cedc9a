// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <signal.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "pseudo_terminal.h"
#include "symbolic_link.h"
#include "tracker.h"

namespace korvaset {

struct SimulatorOptions {
  int baud = 4800;
  std::string link;  // empty: no link, clients use the slave path
  std::string save;  // empty: written images are kept in memory only
  DeviceImage image{};
  TrackerFault fault = TrackerFault::kNone;
};

// Catches SIGINT and SIGTERM for as long as it lives. They stay blocked except while the
// simulator waits, so a stop request can't slip in between a check and a wait.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  bool Stopped() const;
  // The signal mask to wait with: the caught signals unblocked.
  const sigset_t& WaitMask() const { return waitMask_; }

 private:
  sigset_t waitMask_{};
  sigset_t previousMask_{};
  struct sigaction previousInt_ {};
  struct sigaction previousTerm_ {};
};

// The simulated tracker on a pseudo-terminal: it answers at its own line speed only, sends
// its replies at the pace of that speed, and survives clients that come and go.
class Simulator {
 public:
  // Creates the pseudo-terminal and the link. Throws when either can't be made.
  Simulator(SimulatorOptions options, std::ostream& log);

  const std::string& SlavePath() const { return pty_->SlavePath(); }

  // Serves clients until a stop signal arrives.
  void Run(const StopSignals& signals);

 private:
  using Clock = std::chrono::steady_clock;

  void Log(const std::string& text);
  void Receive(std::span<const std::uint8_t> bytes);
  void SendDueBytes();
  void ClientPresent();
  void ClientGone();
  void HangUp();

  SimulatorOptions options_;
  std::ostream& log_;
  Clock::time_point start_;
  Clock::duration byteTime_;
  std::unique_ptr<PseudoTerminal> pty_;
  std::optional<SymbolicLink> link_;
  SimulatedTracker tracker_;
  std::deque<std::uint8_t> pending_;
  Clock::time_point nextDue_;
  bool clientAway_ = true;
};

}  // namespace korvaset
