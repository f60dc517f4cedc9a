// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <termios.h>

#include <string>
#include <string_view>

namespace korvaset::testing {

// The test's own end of the simulated tracker's line, opened with plain termios, so the
// simulator is checked without the program's serial layer.
class TermiosClient {
 public:
  TermiosClient(const std::string& path, speed_t speed);
  ~TermiosClient();
  TermiosClient(const TermiosClient&) = delete;
  TermiosClient& operator=(const TermiosClient&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  // Writes the bytes one at a time, as the program does; false when the line is gone.
  bool Send(std::string_view bytes);
  // Collects what arrives until the line has been quiet for idleMs (or nothing came
  // within totalMs).
  std::string Receive(int idleMs = 150, int totalMs = 500);
  // True once a read or write has found the line hung up.
  bool HungUp() const { return hungUp_; }

 private:
  int fd_ = -1;
  bool hungUp_ = false;
};

}  // namespace korvaset::testing
