// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The POSIX serial port against a real pseudo-terminal: the test holds the master side and
// plays the device. Timing bounds are generous on purpose: they catch a read that ends far
// too early or hangs, not a few milliseconds of scheduling.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/time.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/pause.h"
#include "platform/serial_port.h"

namespace korvaset {
namespace {

using Clock = std::chrono::steady_clock;

// How late a timed call may end on a loaded machine before it counts as not ending on time.
constexpr double kSlackMs = 400;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

class PseudoTerminal {
 public:
  PseudoTerminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    slavePath_ = ptsname(master_);
  }
  ~PseudoTerminal() { CloseMaster(); }

  const std::string& SlavePath() const { return slavePath_; }
  int Master() const { return master_; }
  void Send(std::string_view bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  // What the device side receives: up to count bytes, waiting at most a second for them.
  std::string Receive(std::size_t count) {
    std::string got;
    const auto end = Clock::now() + std::chrono::seconds(1);
    while (got.size() < count && Clock::now() < end) {
      pollfd p{.fd = master_, .events = POLLIN, .revents = 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char chunk[64];
      const ssize_t n = ::read(master_, chunk, std::min(sizeof chunk, count - got.size()));
      if (n <= 0) break;
      got.append(chunk, static_cast<std::size_t>(n));
    }
    return got;
  }
  void CloseMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  std::string slavePath_;
};

class SerialPortPosixTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(pty_.SlavePath().empty());
    port_ = MakePlatformSerialPort(pty_.SlavePath());
    ASSERT_TRUE(port_->Open("COM1")) << port_->LastError();
    ASSERT_TRUE(port_->ReadSettings()) << port_->LastError();
    ASSERT_TRUE(port_->ApplySettings(4800)) << port_->LastError();
    ASSERT_TRUE(port_->ApplyTimeouts(PortTimeouts{}));
  }

  PseudoTerminal pty_;
  std::unique_ptr<SerialPort> port_;
};

TEST_F(SerialPortPosixTest, AppliesRawEightNOneWithoutFlowControl) {
  ASSERT_TRUE(port_->ApplySettings(9600));
  termios t{};
  ASSERT_EQ(tcgetattr(pty_.Master(), &t), 0);  // the master reports the slave's settings
  EXPECT_EQ(cfgetospeed(&t), B9600);
  EXPECT_EQ(cfgetispeed(&t), B9600);
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);
  EXPECT_FALSE(port_->ApplySettings(1234));
}

TEST_F(SerialPortPosixTest, ReadEndsFiftyMillisecondsAfterTheLastByte) {
  // Timed from before the device starts, so that the last byte comes 30 ms after it at least.
  const auto start = Clock::now();
  std::thread device([this] {
    pty_.Send("Korv");
    PauseMilliseconds(30);
    pty_.Send("alink 1.0");
  });
  std::uint8_t buffer[29] = {};
  const std::optional<int> got = port_->Read(buffer);
  const double elapsed = MsSince(start);
  device.join();
  ASSERT_EQ(got, 13);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 13), "Korvalink 1.0");
  EXPECT_GE(elapsed, 30 + 50);
  EXPECT_LT(elapsed, 30 + 50 + kSlackMs);
}

TEST_F(SerialPortPosixTest, SilentReadEndsAfterThreeMillisecondsPerByteAndAHundred) {
  std::uint8_t buffer[29];
  const auto start = Clock::now();
  EXPECT_EQ(port_->Read(buffer), 0);
  const double elapsed = MsSince(start);
  EXPECT_GE(elapsed, 3 * 29 + 100);
  EXPECT_LT(elapsed, 3 * 29 + 100 + kSlackMs);
}

TEST_F(SerialPortPosixTest, ReadEndsWhenTheBufferIsFull) {
  pty_.Send(std::string(150, 'x'));
  std::uint8_t buffer[100];
  const auto start = Clock::now();
  EXPECT_EQ(port_->Read(buffer), 100);
  EXPECT_LT(MsSince(start), 3 * 100 + 100);
  EXPECT_EQ(port_->Read(std::span(buffer, 50)), 50);  // the rest stays for the next read
}

TEST_F(SerialPortPosixTest, WritesOneByteAtATime) {
  EXPECT_EQ(port_->WriteByte(0x1B), 1);
  EXPECT_EQ(port_->WriteByte(0x56), 1);
  EXPECT_EQ(pty_.Receive(2), "\x1b\x56");
}

TEST_F(SerialPortPosixTest, AByteTheLineWontTakeCountsZeroAfterTheWriteTimeout) {
  // Nobody reads the master: the queue fills and a byte can no longer go.
  std::optional<int> taken = 1;
  int sent = 0;
  while (taken == 1 && sent < 1'000'000) {
    const auto start = Clock::now();
    taken = port_->WriteByte('z');
    if (taken == 0) {
      const double elapsed = MsSince(start);
      EXPECT_GE(elapsed, 2 + 300);
      EXPECT_LT(elapsed, 2 + 300 + kSlackMs);
    }
    ++sent;
  }
  EXPECT_EQ(taken, 0);
  const auto start = Clock::now();
  EXPECT_TRUE(port_->Close());  // the unsent bytes don't hold the close
  EXPECT_LT(MsSince(start), 1000);
}

TEST_F(SerialPortPosixTest, HangUpInTheMiddleOfAReadFailsTheRead) {
  std::thread device([this] {
    pty_.Send("Korv");
    PauseMilliseconds(20);
    pty_.CloseMaster();
  });
  std::uint8_t buffer[200];
  const auto start = Clock::now();
  EXPECT_EQ(port_->Read(buffer), std::nullopt);
  EXPECT_LT(MsSince(start), 3 * 200 + 100);
  device.join();
  EXPECT_NE(port_->LastError().find("gone"), std::string::npos) << port_->LastError();
  EXPECT_EQ(port_->WriteByte(0x1B), std::nullopt);
  EXPECT_NE(port_->LastError().find("gone"), std::string::npos) << port_->LastError();
  EXPECT_TRUE(port_->Close());
}

TEST_F(SerialPortPosixTest, ASecondOpenOfTheSamePortFails) {
  // Also as root, whom TIOCEXCL doesn't stop.
  std::unique_ptr<SerialPort> other = MakePlatformSerialPort(pty_.SlavePath());
  EXPECT_FALSE(other->Open("COM1"));
  EXPECT_NE(other->LastError().find("in use"), std::string::npos) << other->LastError();
  ASSERT_TRUE(port_->Close());
  EXPECT_TRUE(other->Open("COM1")) << other->LastError();
}

TEST_F(SerialPortPosixTest, CloseTwiceFailsTheSecondTime) {
  EXPECT_TRUE(port_->Close());
  EXPECT_FALSE(port_->IsOpen());
  EXPECT_FALSE(port_->Close());
  std::uint8_t buffer[4];
  EXPECT_EQ(port_->Read(buffer), std::nullopt);
}

TEST(SerialPortPosixOpen, RefusesWhatIsNotASerialPort) {
  char file[] = "/tmp/korvaset-not-a-port-XXXXXX";
  const int fd = mkstemp(file);
  ASSERT_GE(fd, 0);
  ::close(fd);
  struct Case {
    std::string path;
    std::string reason;
  };
  for (const Case& c : {Case{file, "not a serial port"}, Case{"/dev/null", "not a serial port"},
                        Case{"/dev/korvaset-absent", "No such file"}}) {
    std::unique_ptr<SerialPort> port = MakePlatformSerialPort(c.path);
    EXPECT_FALSE(port->Open("COM1")) << c.path;
    EXPECT_FALSE(port->IsOpen());
    EXPECT_NE(port->LastError().find(c.reason), std::string::npos) << port->LastError();
  }
  ::unlink(file);
}

TEST(SerialPortPosixOpen, ComNameResolvesThroughTheEnvironment) {
  PseudoTerminal pty;
  ASSERT_EQ(setenv("KORVASET_COM7", pty.SlavePath().c_str(), 1), 0);
  std::unique_ptr<SerialPort> port = MakePlatformSerialPort();
  EXPECT_TRUE(port->Open("COM7")) << port->LastError();
  EXPECT_TRUE(port->Close());

  ASSERT_EQ(setenv("KORVASET_COM7", "/dev/korvaset-absent", 1), 0);
  EXPECT_FALSE(port->Open("COM7"));
  EXPECT_NE(port->LastError().find("/dev/korvaset-absent"), std::string::npos);
  unsetenv("KORVASET_COM7");
}

TEST(PauseTest, LastsItsTimeThroughSignals) {
  struct sigaction action {};
  action.sa_handler = [](int) {};  // no SA_RESTART: every tick interrupts the sleep
  struct sigaction previous {};
  ASSERT_EQ(sigaction(SIGALRM, &action, &previous), 0);
  itimerval ticks{.it_interval = {0, 2000}, .it_value = {0, 2000}};
  ASSERT_EQ(setitimer(ITIMER_REAL, &ticks, nullptr), 0);
  const auto start = Clock::now();
  PauseMilliseconds(40);
  const double elapsed = MsSince(start);
  itimerval off{};
  setitimer(ITIMER_REAL, &off, nullptr);
  sigaction(SIGALRM, &previous, nullptr);
  EXPECT_GE(elapsed, 40);
  EXPECT_LT(elapsed, 40 + kSlackMs);
}

}  // namespace
}  // namespace korvaset
