// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <cstddef>

#include "platform/end_signal_handlers.h"

namespace korvaset {

namespace {

bool Ignored(const struct sigaction& action) {
  return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler == SIG_IGN;
}

}  // namespace

EndSignalHandlers::EndSignalHandlers(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  for (const int signal : kSignals) sigaddset(&action.sa_mask, signal);
  // Calls that a signal interrupts go on; those that can't restart (poll, sleeps) retry.
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kSignals.size(); ++i) {
    caught_[i] = sigaction(kSignals[i], nullptr, &previous_[i]) == 0 && !Ignored(previous_[i]) &&
                 sigaction(kSignals[i], &action, nullptr) == 0;
  }
}

EndSignalHandlers::~EndSignalHandlers() {
  for (std::size_t i = 0; i < kSignals.size(); ++i) {
    if (caught_[i]) sigaction(kSignals[i], &previous_[i], nullptr);
  }
}

bool EndSignalHandlers::ReplacedOwnHandler(int signal) const {
  for (std::size_t i = 0; i < kSignals.size(); ++i) {
    if (kSignals[i] != signal || !caught_[i]) continue;
    const struct sigaction& action = previous_[i];
    if ((action.sa_flags & SA_SIGINFO) != 0) return action.sa_sigaction != nullptr;
    return action.sa_handler != SIG_DFL && action.sa_handler != SIG_IGN;
  }
  return false;
}

}  // namespace korvaset
