// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "platform/serial_port.h"

namespace korvaset {

class InterruptHold;

// The connection to the tracker: which COM port, at which speed, and the port while it is
// open. Every command opens the port, exchanges its bytes and closes it again.
// Failure flags are true on failure, after the failure has been shown.
class SerialLink {
 public:
  // COM1 at 4800 baud on the platform's serial port.
  SerialLink();
  explicit SerialLink(std::unique_ptr<SerialPort> port);

  void SetPortNumber(int portNumber) { portNumber_ = portNumber; }
  void SetBaudRate(int baudRate) { baudRate_ = baudRate; }
  int PortNumber() const { return portNumber_; }
  int BaudRate() const { return baudRate_; }
  bool IsOpen() const;
  // The port underneath, for the system's reason behind a failure (LastError).
  const SerialPort& Port() const { return *port_; }

  // Port operations: open "COM<n>" with the line settings and time-outs, write bytes one at
  // a time with a 10 ms pause after each, one timed read (the count; 0 on failure), close.
  bool Open();
  bool Write(std::span<const std::uint8_t> bytes);
  int Read(std::span<std::uint8_t> buffer);
  bool Close();

  // The tracker's commands. CheckVersion and FindDevice leave the banner zero-terminated in
  // the buffer; FindDevice tries 4800 baud, then 9600, and keeps the speed that answered.
  bool CheckVersion(std::span<char> banner);
  bool FindDevice(std::span<char> banner);
  // The image write command. The hold begins just before its first byte goes out, and the
  // caller keeps it until what must follow the write has ended too.
  bool SendWriteCommand(std::span<const std::uint8_t> image, std::optional<InterruptHold>& hold);
  int SendReadCommand(std::span<std::uint8_t> buffer);
  // Reads the image twice: the count, or 0 when a reading fails or the two disagree.
  int ReadImage(std::span<std::uint8_t> buffer);
  // Writes the image and reads it back to check it. From the first byte of the write
  // command until the read-back has ended, requests to end the program are held back.
  bool WriteImage(std::span<const std::uint8_t> image);
  // Stops the test tone, then sends the tone code: '1', '2', '3' or 'x' (stop).
  bool SendTone(std::uint8_t toneCode);

 private:
  int portNumber_ = 1;
  int baudRate_ = 4800;
  std::unique_ptr<SerialPort> port_;
};

}  // namespace korvaset
