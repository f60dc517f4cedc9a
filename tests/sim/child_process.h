// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace korvaset::testing {

// What a finished command left behind.
struct CommandResult {
  int exitCode = -1;  // -1 when it had to be killed
  std::string out;
  std::string err;
};

// Runs a program to its end (killing it after the time-out) and collects its output.
// whileRunning, when given, is called with the program's id once it has started, before its
// output is read: it may wait and send signals, as long as the program's output fits in a
// pipe meanwhile.
CommandResult RunCommand(const std::vector<std::string>& argv,
                         std::chrono::seconds timeout = std::chrono::seconds(30),
                         const std::vector<std::string>& extraEnvironment = {},
                         const std::function<void(pid_t)>& whileRunning = {});

// A korvalink-sim process for the length of a test: started with its arguments, ready
// once it has printed its slave path, stopped with SIGTERM at the end.
class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& arguments);
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  bool Ready() const { return !slavePath_.empty(); }
  const std::string& SlavePath() const { return slavePath_; }
  // Everything it has logged on stderr so far.
  std::string Log() const;
  // Sends SIGTERM and waits; returns the exit status, -1 when it had to be killed.
  int Stop();

 private:
  pid_t pid_ = -1;
  std::string slavePath_;
  std::string logPath_;
};

}  // namespace korvaset::testing
