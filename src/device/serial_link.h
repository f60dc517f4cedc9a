#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "platform/serial_port.h"

namespace korvaset {

// The connection to the tracker: which COM port, at which speed, and the port while it is
// open. Every command opens the port, exchanges its bytes and closes it again.
// Failure flags are true on failure, after the failure has been shown.
class SerialLink {
 public:
  SerialLink();
  explicit SerialLink(std::unique_ptr<SerialPort> port);

  void SetPortNumber(int portNumber) { portNumber_ = portNumber; }
  void SetBaudRate(int baudRate) { baudRate_ = baudRate; }
  int PortNumber() const { return portNumber_; }
  int BaudRate() const { return baudRate_; }
  bool IsOpen() const;

  bool Open();
  bool Write(std::span<const std::uint8_t> bytes);
  int Read(std::span<std::uint8_t> buffer);
  bool Close();

  bool CheckVersion(std::span<char> banner);
  bool FindDevice(std::span<char> banner);
  bool SendWriteCommand(std::span<const std::uint8_t> image);
  int SendReadCommand(std::span<std::uint8_t> buffer);
  int ReadImage(std::span<std::uint8_t> buffer);
  bool WriteImage(std::span<const std::uint8_t> image);
  bool SendTone(std::uint8_t toneCode);

 private:
  int portNumber_ = 1;
  int baudRate_ = 4800;
  std::unique_ptr<SerialPort> port_;
};

}  // namespace korvaset
