// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvaset {

// Read and write time-outs in milliseconds, as the link applies them. A read ends when the
// buffer is full, readInterval ms after a byte without another, or
// readTotalMultiplier x capacity + readTotalConstant ms after it began; a one-byte write
// gives up after writeTotalMultiplier + writeTotalConstant ms.
struct PortTimeouts {
  int readInterval = 50;
  int readTotalMultiplier = 3;
  int readTotalConstant = 100;
  int writeTotalMultiplier = 2;
  int writeTotalConstant = 300;

  bool operator==(const PortTimeouts&) const = default;
};

// The platform's serial port: what the link needs of it and nothing more. One object
// stands for one port that is either open or closed.
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens the port that a COM name ("COM1".."COM8") names, for this program alone.
  // False when the port can't be had (absent, in use, no access); no port is open then.
  virtual bool Open(std::string_view comName) = 0;
  // Reads the port's current line settings, so that those the link doesn't set are kept.
  virtual bool ReadSettings() = 0;
  // Applies the speed, 8 data bits, no parity, one stop bit, no flow control, DTR and RTS on.
  virtual bool ApplySettings(int baudRate) = 0;
  virtual bool ApplyTimeouts(const PortTimeouts& timeouts) = 0;
  // One timed read of at most buffer.size() bytes: the count received, or nothing when the
  // call itself failed (the device is gone, for one).
  virtual std::optional<int> Read(std::span<std::uint8_t> buffer) = 0;
  // Writes one byte within the write time-out: 1 when taken, 0 when not, nothing when the
  // call itself failed.
  virtual std::optional<int> WriteByte(std::uint8_t byte) = 0;
  // Closes the port. False when closing reported an error.
  virtual bool Close() = 0;
  virtual bool IsOpen() const = 0;
  // Pauses the calling thread for at least this many milliseconds; works open or closed.
  virtual void Pause(int milliseconds) = 0;
  // The system's reason for the last failure, for the command line; empty when unknown.
  virtual std::string LastError() const { return {}; }
};

// The serial port of the platform the program runs on. With a device path (a file name on
// POSIX, such as "/dev/ttyUSB0", or "\\.\COM12" on Windows) every Open opens that device
// whatever COM name it is given; without one, COM names resolve as com_names.h says.
std::unique_ptr<SerialPort> MakePlatformSerialPort(std::string devicePath = {});

}  // namespace korvaset
