// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <optional>

#include "platform/end_signal_handlers.h"
#include "platform/interrupt_hold.h"

namespace korvaset {

namespace {

// Written by the signal handler, so lock-free.
std::atomic<int> g_heldSignal{0};
std::atomic<bool> g_noticeOnNewLine{false};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

int g_depth = 0;
std::optional<EndSignalHandlers> g_handlers;

void OnEndSignal(int signal) {
  int none = 0;
  if (!g_heldSignal.compare_exchange_strong(none, signal)) return;  // said once already
  const int savedErrno = errno;
  // write(), unlike stdio, may be called here; a failure has nowhere to be reported.
  if (g_noticeOnNewLine) (void)!write(STDERR_FILENO, "\n", 1);
  (void)!write(STDERR_FILENO, kInterruptHoldNotice.data(), kInterruptHoldNotice.size());
  (void)!write(STDERR_FILENO, "\n", 1);
  errno = savedErrno;
}

}  // namespace

InterruptHold::InterruptHold() {
  if (g_depth++ > 0) return;
  g_heldSignal = 0;
  // On a terminal a progress line may be showing: the notice then starts a line of its own.
  g_noticeOnNewLine = isatty(STDERR_FILENO) != 0;
  g_handlers.emplace(OnEndSignal);
}

InterruptHold::~InterruptHold() {
  if (--g_depth > 0) return;
  // A handler of the program's own (the window's, which closes it) gets what it missed. The
  // default action would end the program before it reports: that is left to the program.
  const int held = g_heldSignal;
  const bool handOn = held != 0 && g_handlers->ReplacedOwnHandler(held);
  g_handlers.reset();
  if (handOn) raise(held);
}

std::optional<int> InterruptHold::HeldEndRequest() {
  const int held = g_heldSignal;
  if (held == 0) return std::nullopt;
  return 128 + held;
}

bool InterruptHold::Holding() {
  return g_depth > 0;
}

}  // namespace korvaset
