#pragma once

#include <sys/types.h>

#include <chrono>
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
CommandResult RunCommand(const std::vector<std::string>& argv,
                         std::chrono::seconds timeout = std::chrono::seconds(30),
                         const std::vector<std::string>& extraEnvironment = {});

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
