// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <utility>

#include "platform/com_names.h"
#include "platform/pause.h"
#include "platform/port_access.h"
#include "platform/serial_port.h"

namespace korvaset {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Owns one file descriptor.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      Reset();
      fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
  }
  ~FileDescriptor() { Reset(); }

  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  int Release() { return std::exchange(fd_, -1); }
  void Reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

// Owns an open terminal device and the settings it had when we opened it, and puts those
// back before the descriptor is closed, however that happens: a port is left as it was
// found, not raw at 4800 baud (a shell on it would look dead).
class OpenTerminal {
 public:
  OpenTerminal() = default;
  explicit OpenTerminal(FileDescriptor fd) : fd_(std::move(fd)) {
    termios found{};
    if (tcgetattr(fd_.Get(), &found) == 0) found_ = found;
  }
  OpenTerminal(OpenTerminal&& other) noexcept = default;
  OpenTerminal& operator=(OpenTerminal&& other) noexcept {
    if (this != &other) {
      Reset();
      fd_ = std::move(other.fd_);
      found_ = std::exchange(other.found_, std::nullopt);
    }
    return *this;
  }
  ~OpenTerminal() { Reset(); }

  int Get() const { return fd_.Get(); }
  bool Valid() const { return fd_.Valid(); }
  // Puts the settings back once the last byte has left the line (a new speed would garble
  // it in the UART) and hands the descriptor over for closing.
  int Release() {
    Restore(TCSADRAIN);
    return fd_.Release();
  }
  // On a failure nothing is waited for.
  void Reset() {
    Restore(TCSANOW);
    fd_.Reset();
  }

 private:
  void Restore(int when) {
    if (fd_.Valid() && found_) tcsetattr(fd_.Get(), when, &*found_);
    found_.reset();
  }

  FileDescriptor fd_;
  std::optional<termios> found_;
};

std::optional<speed_t> SpeedConstant(int baudRate) {
  switch (baudRate) {
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    default:
      return std::nullopt;
  }
}

// Milliseconds from now until the deadline, rounded up so that poll never wakes early.
int MillisecondsUntil(Clock::time_point deadline) {
  const auto left = deadline - Clock::now();
  if (left <= Clock::duration::zero()) return 0;
  const auto ms = std::chrono::ceil<milliseconds>(left).count();
  return static_cast<int>(std::min<long long>(ms, 60'000));
}

// The longest a close waits for bytes still queued for the line before it throws them
// away; a closing port must not hang on a line that doesn't move.
constexpr milliseconds kCloseDrainLimit{100};

class PosixSerialPort final : public SerialPort {
 public:
  explicit PosixSerialPort(std::string devicePath) : devicePath_(std::move(devicePath)) {}

  bool Open(std::string_view comName) override {
    if (fd_.Valid()) Close();
    std::string path = devicePath_;
    if (path.empty()) {
      const std::optional<ResolvedComName> resolved = ResolveComName(comName);
      if (!resolved) {
        const std::optional<int> number = ComNumber(comName);
        lastError_ = std::string(comName) + ": no serial port found for it";
        if (number) lastError_ += " (set " + ComEnvironmentVariable(*number) + " to its device)";
        return false;
      }
      path = resolved->path;
    }
    path_ = path;

    FileDescriptor fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.Valid()) {
      const int error = errno;
      lastError_ = path + ": " + std::strerror(error);
      if (error == EBUSY) lastError_ += " (in use by another program)";
      if (error == EACCES || error == EPERM) {
        const std::string why = ExplainPortAccess(path);
        if (!why.empty()) lastError_ += "; " + why;
      }
      return false;
    }
    struct stat info {};
    if (fstat(fd.Get(), &info) != 0 || !S_ISCHR(info.st_mode) || !isatty(fd.Get())) {
      lastError_ = path + ": not a serial port";
      return false;
    }
    // TIOCEXCL keeps out other openers but not root; the lock is what every careful program
    // on the system checks, so it is what tells us the port is in use.
    if (flock(fd.Get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
      lastError_ = path + ": in use by another program";
      return false;
    }
    ioctl(fd.Get(), TIOCEXCL);
    fd_ = OpenTerminal(std::move(fd));
    haveSettings_ = false;
    return true;
  }

  bool ReadSettings() override {
    if (!RequireOpen()) return false;
    if (tcgetattr(fd_.Get(), &settings_) != 0) return Fail("reading the line settings");
    haveSettings_ = true;
    return true;
  }

  bool ApplySettings(int baudRate) override {
    if (!RequireOpen()) return false;
    if (!haveSettings_ && !ReadSettings()) return false;
    const std::optional<speed_t> speed = SpeedConstant(baudRate);
    if (!speed) {
      lastError_ = path_ + ": unsupported speed " + std::to_string(baudRate);
      return false;
    }
    termios t = settings_;
    // Raw bytes both ways: no line editing, no translation, no signals, no flow control.
    t.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL |
                                        IXON | IXOFF | IXANY);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    // One byte satisfies a read; with O_NONBLOCK an empty line then reads as EAGAIN, never as
    // a zero-byte read, which means the device is gone.
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, *speed);
    cfsetospeed(&t, *speed);
    if (tcsetattr(fd_.Get(), TCSANOW, &t) != 0) return Fail("applying the line settings");
    // tcsetattr succeeds when any part was taken: check that the speed was.
    termios applied{};
    if (tcgetattr(fd_.Get(), &applied) != 0) return Fail("reading the line settings");
    if (cfgetospeed(&applied) != *speed) {
      lastError_ = path_ + ": the port refused " + std::to_string(baudRate) + " baud";
      return false;
    }
    settings_ = applied;
    // DTR and RTS on while the port is open. A pseudo-terminal has no modem lines and says
    // so with ENOTTY (or EINVAL): nothing to assert there.
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (ioctl(fd_.Get(), TIOCMBIS, &lines) != 0 && errno != ENOTTY && errno != EINVAL) {
      return Fail("raising DTR and RTS");
    }
    return true;
  }

  bool ApplyTimeouts(const PortTimeouts& timeouts) override {
    if (!RequireOpen()) return false;
    timeouts_ = timeouts;
    return true;
  }

  std::optional<int> Read(std::span<std::uint8_t> buffer) override {
    if (!RequireOpen()) return std::nullopt;
    const std::size_t capacity = buffer.size();
    if (capacity == 0) return 0;
    const Clock::time_point start = Clock::now();
    const Clock::time_point totalDeadline =
        start + milliseconds(static_cast<long long>(timeouts_.readTotalMultiplier) *
                                 static_cast<long long>(capacity) +
                             timeouts_.readTotalConstant);
    std::size_t got = 0;
    Clock::time_point lastByte{};
    while (got < capacity) {
      Clock::time_point deadline = totalDeadline;
      if (got > 0) deadline = std::min(deadline, lastByte + milliseconds(timeouts_.readInterval));
      if (Clock::now() >= deadline) break;
      pollfd p{.fd = fd_.Get(), .events = POLLIN, .revents = 0};
      const int ready = poll(&p, 1, MillisecondsUntil(deadline));
      if (ready < 0) {
        if (errno == EINTR) continue;
        return FailCall("waiting for data");
      }
      if (ready == 0) continue;  // the loop head decides whether time is up
      if (p.revents & POLLIN) {
        const ssize_t n = ::read(fd_.Get(), buffer.data() + got, capacity - got);
        if (n > 0) {
          got += static_cast<std::size_t>(n);
          lastByte = Clock::now();
          continue;
        }
        if (n == 0) {
          lastError_ = path_ + ": the device is gone (end of file)";
          return std::nullopt;
        }
        if (errno == EAGAIN || errno == EINTR) continue;
        return FailCall("reading");
      }
      if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) return HungUp();
    }
    return static_cast<int>(got);
  }

  std::optional<int> WriteByte(std::uint8_t byte) override {
    if (!RequireOpen()) return std::nullopt;
    const Clock::time_point deadline =
        Clock::now() + milliseconds(timeouts_.writeTotalMultiplier + timeouts_.writeTotalConstant);
    for (;;) {
      const ssize_t n = ::write(fd_.Get(), &byte, 1);
      if (n == 1) return 1;
      if (n < 0 && errno != EAGAIN && errno != EINTR) return FailCall("writing");
      const int wait = MillisecondsUntil(deadline);
      if (wait == 0) return 0;  // not taken in time: counts as not written
      pollfd p{.fd = fd_.Get(), .events = POLLOUT, .revents = 0};
      const int ready = poll(&p, 1, wait);
      if (ready < 0 && errno != EINTR) return FailCall("waiting to write");
      if (ready > 0 && !(p.revents & POLLOUT) && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
        return HungUp();
      }
    }
  }

  bool Close() override {
    if (!RequireOpen()) return false;
    const int fd = fd_.Get();
    // A close waits for queued output to leave (up to 30 s on a serial driver). Give the
    // bytes a moment, then throw away whatever the line won't take.
    const Clock::time_point giveUp = Clock::now() + kCloseDrainLimit;
    int queued = 0;
    while (ioctl(fd, TIOCOUTQ, &queued) == 0 && queued > 0 && Clock::now() < giveUp) {
      PauseMilliseconds(2);
    }
    if (queued > 0) tcflush(fd, TCOFLUSH);
    ioctl(fd, TIOCNXCL);
    // Release puts the settings back, now that no byte waits for the line. The descriptor
    // is gone after close() whatever it returns, so it is never retried.
    if (::close(fd_.Release()) != 0 && errno != EINTR) {
      const int error = errno;
      lastError_ = path_ + ": closing: " + std::strerror(error);
      return false;
    }
    return true;
  }

  bool IsOpen() const override { return fd_.Valid(); }

  void Pause(int ms) override { PauseMilliseconds(ms); }

  std::string LastError() const override { return lastError_; }

 private:
  bool RequireOpen() {
    if (fd_.Valid()) return true;
    lastError_ = "the port is not open";
    return false;
  }

  bool Fail(const char* doing) {
    const int error = errno;
    lastError_ = path_ + ": " + doing + ": " + std::strerror(error);
    return false;
  }

  // A read or write call that failed; EIO is what a vanished device gives.
  std::optional<int> FailCall(const char* doing) {
    const bool gone = errno == EIO;
    Fail(doing);
    if (gone) lastError_ += " (the device is gone)";
    return std::nullopt;
  }

  std::optional<int> HungUp() {
    lastError_ = path_ + ": the device is gone (hang-up)";
    return std::nullopt;
  }

  std::string devicePath_;
  std::string path_;
  OpenTerminal fd_;
  termios settings_{};
  bool haveSettings_ = false;
  PortTimeouts timeouts_;
  std::string lastError_;
};

}  // namespace

std::unique_ptr<SerialPort> MakePlatformSerialPort(std::string devicePath) {
  return std::make_unique<PosixSerialPort>(std::move(devicePath));
}

}  // namespace korvaset
