#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvaset {

// Read and write time-outs in milliseconds, as the link applies them.
struct PortTimeouts {
  int readInterval = 50;
  int readTotalMultiplier = 3;
  int readTotalConstant = 100;
  int writeTotalMultiplier = 2;
  int writeTotalConstant = 300;
};

// The platform's serial port: what the link needs of it and nothing more. One object
// stands for one port that is either open or closed.
class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens the port that a COM name ("COM1".."COM8") names, for this program alone.
  // False when the port can't be had (absent, in use, no access).
  virtual bool Open(std::string_view comName) = 0;
  // Reads the port's current line settings, so that those the link doesn't set are kept.
  virtual bool ReadSettings() = 0;
  // Applies the speed, 8 data bits, no parity, one stop bit, no flow control, DTR and RTS on.
  virtual bool ApplySettings(int baudRate) = 0;
  virtual bool ApplyTimeouts(const PortTimeouts& timeouts) = 0;
  // One timed read of at most buffer.size() bytes: the count received, or nothing when the
  // call itself failed.
  virtual std::optional<int> Read(std::span<std::uint8_t> buffer) = 0;
  // Writes one byte within the write time-out: 1 when taken, 0 when not, nothing when the
  // call itself failed.
  virtual std::optional<int> WriteByte(std::uint8_t byte) = 0;
  virtual bool Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual void Pause(int milliseconds) = 0;
  // The system's reason for the last failure, for the command line; empty when unknown.
  virtual std::string LastError() const { return {}; }
};

// The serial port of the platform the program runs on.
std::unique_ptr<SerialPort> MakePlatformSerialPort();

}  // namespace korvaset
