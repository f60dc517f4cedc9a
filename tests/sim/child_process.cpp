// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace korvaset::testing {

namespace {

using Clock = std::chrono::steady_clock;

// Starts argv with stdout and stderr on the given descriptors; stdin is /dev/null.
pid_t Spawn(const std::vector<std::string>& argv, int outFd, int errFd,
            const std::vector<std::string>& extraEnvironment) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    const int devNull = open("/dev/null", O_RDONLY);
    dup2(devNull, STDIN_FILENO);
    dup2(outFd, STDOUT_FILENO);
    dup2(errFd, STDERR_FILENO);
    // The test runner may block or ignore signals; the child must see them as usual.
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, SIG_DFL);
    for (const std::string& entry : extraEnvironment) putenv(const_cast<char*>(entry.c_str()));
    execv(args[0], args.data());
    _exit(127);
  }
  return pid;
}

// Waits for the child until the deadline; kills it then. Returns its exit code or -1.
int WaitUntil(pid_t pid, Clock::time_point deadline) {
  int status = 0;
  while (true) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (Clock::now() >= deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    usleep(5000);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

CommandResult RunCommand(const std::vector<std::string>& argv, std::chrono::seconds timeout,
                         const std::vector<std::string>& extraEnvironment,
                         const std::function<void(pid_t)>& whileRunning) {
  int outPipe[2];
  int errPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  const pid_t pid = Spawn(argv, outPipe[1], errPipe[1], extraEnvironment);
  close(outPipe[1]);
  close(errPipe[1]);
  if (whileRunning) whileRunning(pid);

  CommandResult result;
  const auto deadline = Clock::now() + timeout;
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open = 2;
  while (open > 0 && Clock::now() < deadline) {
    if (poll(fds, 2, 100) <= 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t count = read(fds[i].fd, buffer, sizeof buffer);
      if (count > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(count));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  for (const pollfd& fd : fds) {
    if (fd.fd >= 0) close(fd.fd);
  }
  result.exitCode = WaitUntil(pid, deadline);
  return result;
}

SimProcess::SimProcess(const std::vector<std::string>& arguments) {
  char logTemplate[] = "/tmp/korvalink-sim-log-XXXXXX";
  const int logFd = mkstemp(logTemplate);
  if (logFd < 0) throw std::runtime_error("mkstemp failed");
  logPath_ = logTemplate;
  int outPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  std::vector<std::string> argv = {KORVALINK_SIM_PATH};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  pid_ = Spawn(argv, outPipe[1], logFd, {});
  close(outPipe[1]);
  close(logFd);

  // The first line on stdout says it is ready; give up after ten seconds.
  std::string line;
  const auto deadline = Clock::now() + std::chrono::seconds(10);
  pollfd fd{outPipe[0], POLLIN, 0};
  while (line.find('\n') == std::string::npos && Clock::now() < deadline) {
    if (poll(&fd, 1, 100) <= 0) continue;
    char buffer[256];
    const ssize_t count = read(outPipe[0], buffer, sizeof buffer);
    if (count <= 0) break;
    line.append(buffer, static_cast<std::size_t>(count));
  }
  close(outPipe[0]);
  if (const auto end = line.find('\n'); end != std::string::npos) slavePath_ = line.substr(0, end);
}

SimProcess::~SimProcess() {
  Stop();
  if (!logPath_.empty()) unlink(logPath_.c_str());
}

std::string SimProcess::Log() const {
  return ReadFileBytes(logPath_);
}

int SimProcess::Stop() {
  if (pid_ < 0) return -1;
  kill(pid_, SIGTERM);
  const int code = WaitUntil(pid_, Clock::now() + std::chrono::seconds(5));
  pid_ = -1;
  return code;
}

}  // namespace korvaset::testing
