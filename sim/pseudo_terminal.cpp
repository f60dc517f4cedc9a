// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "pseudo_terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace korvaset {

namespace {

[[noreturn]] void ThrowErrno(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

PseudoTerminal::PseudoTerminal(int baud) {
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) ThrowErrno("posix_openpt");
  try {
    if (grantpt(master_) != 0) ThrowErrno("grantpt");
    if (unlockpt(master_) != 0) ThrowErrno("unlockpt");
    std::array<char, 128> name{};
    if (ptsname_r(master_, name.data(), name.size()) != 0) ThrowErrno("ptsname_r");
    slavePath_ = name.data();

    // The termios of a pty pair lives as long as the master, so settings made through a
    // short-lived slave descriptor stay for every client that opens it later.
    const int slave = open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
    if (slave < 0) ThrowErrno("open pty slave");
    termios settings{};
    int result = tcgetattr(slave, &settings);
    if (result == 0) {
      cfmakeraw(&settings);
      settings.c_cflag |= CLOCAL | CREAD;
      cfsetspeed(&settings, baud == 9600 ? B9600 : B4800);
      result = tcsetattr(slave, TCSANOW, &settings);
    }
    const int savedErrno = errno;
    close(slave);
    errno = savedErrno;
    if (result != 0) ThrowErrno("raw mode on pty slave");

    const int flags = fcntl(master_, F_GETFL);
    if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) ThrowErrno("fcntl");
  } catch (...) {
    close(master_);
    throw;
  }
}

PseudoTerminal::~PseudoTerminal() {
  if (master_ >= 0) close(master_);
}

int PseudoTerminal::LineSpeed() const {
  // On Linux the master reports the slave's termios.
  termios settings{};
  if (tcgetattr(master_, &settings) != 0) return 0;
  speed_t speed = cfgetospeed(&settings);
  const speed_t input = cfgetispeed(&settings);
  if (input != B0 && input != speed) return 0;  // a split speed is no speed we answer at
  switch (speed) {
    case B1200:
      return 1200;
    case B2400:
      return 2400;
    case B4800:
      return 4800;
    case B9600:
      return 9600;
    case B19200:
      return 19200;
    case B38400:
      return 38400;
    case B57600:
      return 57600;
    case B115200:
      return 115200;
    default:
      return 0;
  }
}

}  // namespace korvaset
