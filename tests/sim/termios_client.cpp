// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "termios_client.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace korvaset::testing {

TermiosClient::TermiosClient(const std::string& path, speed_t speed) {
  fd_ = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (fd_ < 0) return;
  termios settings{};
  tcgetattr(fd_, &settings);
  cfmakeraw(&settings);
  cfsetspeed(&settings, speed);
  settings.c_cflag |= CLOCAL | CREAD;
  tcsetattr(fd_, TCSANOW, &settings);
}

TermiosClient::~TermiosClient() {
  if (fd_ >= 0) close(fd_);
}

bool TermiosClient::Send(std::string_view bytes) {
  for (const char byte : bytes) {
    if (write(fd_, &byte, 1) != 1) {
      if (errno == EIO) hungUp_ = true;
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

std::string TermiosClient::Receive(int idleMs, int totalMs) {
  std::string received;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(totalMs);
  while (true) {
    pollfd fd{fd_, POLLIN, 0};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    const int wait = received.empty() ? static_cast<int>(std::max<long>(left, 0)) : idleMs;
    if (poll(&fd, 1, wait) <= 0) break;
    char buffer[256];
    const ssize_t count = read(fd_, buffer, sizeof buffer);
    if (count <= 0) {
      if (count == 0 || errno == EIO) hungUp_ = true;
      break;
    }
    received.append(buffer, static_cast<std::size_t>(count));
  }
  return received;
}

}  // namespace korvaset::testing
