// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace korvaset {

class EndSignalHandlers;

// Lets a request to end the program close the window instead of killing it wherever it
// is: SIGTERM and SIGHUP (logout, shutdown) and SIGINT (Ctrl-C in the terminal that
// started it). The handler only notes the signal; every open window is closed once the
// event loop runs again, message boxes as by Escape. During an image write the device
// layer holds the signals back and hands them on here when the write has ended. A signal
// that was ignored stays ignored. One at a time per program.
class EndSignals final : public QObject {
 public:
  EndSignals();
  ~EndSignals() override;
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

  // The first signal that closed the windows; 0 while none has.
  int Received() const { return received_; }

 private:
  void OnSignalNoted();

  std::unique_ptr<QSocketNotifier> notifier_;
  std::unique_ptr<EndSignalHandlers> handlers_;
  int received_ = 0;
};

}  // namespace korvaset
